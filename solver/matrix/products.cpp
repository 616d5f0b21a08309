#include "matrix/products.h"

#include <algorithm>
#include <cassert>
#include <cmath>

#include "matrix/blas_lapack.h"

namespace zelk {
namespace {

// Output element o treated by beta before the terms are added.
inline double startFrom(double o, double beta) {
    if (beta == 0.0) return 0.0;
    return beta == 1.0 ? o : beta * o;
}

// y(k * incy) over k < size(1) of A from x(r * incx) over r < size(0).
void multATxStrided(const GenMatrix<double>& A, const double* x, int incx, double* y, int incy,
                    double alpha, double beta) {
    const int rows = A.size(0), ld = A.leadingDim();
    const double* a = A.data();
    for (int k = 0; k < A.size(1); ++k) {
        const double* col = a + static_cast<std::ptrdiff_t>(k) * ld;
        double o = startFrom(y[k * incy], beta);
        for (int r = 0; r < rows; ++r) o += alpha * (col[r] * x[r * incx]);
        y[k * incy] = o;
    }
}

void multSymmXStrided(const SymmMatrix& S, const double* x, int incx, double* y, int incy,
                      double alpha, double beta) {
    const int n = S.size(0);
    for (int i = 0; i < n; ++i) {
        double o = startFrom(y[i * incy], beta);
        for (int j = 0; j < n; ++j) o += alpha * (S(i, j) * x[j * incx]);
        y[i * incy] = o;
    }
}

// Calls run(pointer, count, step, position of the first element) for the runs
// of consecutive elements that make up M in vector order.
template <typename M, typename F>
void forEachRun(M& mat, F run) {
    const int rows = mat.size(0), cols = mat.size(1);
    if (rows == 0 || cols == 0) return;
    if (cols == 1 || mat.isContiguous()) {
        run(mat.data(), rows * cols, 1, 0);
    } else if (rows == 1) {
        run(mat.data(), cols, mat.leadingDim(), 0);
    } else {
        for (int j = 0; j < cols; ++j) run(&mat(0, j), rows, 1, j * rows);
    }
}

}  // namespace

void multATx(const GenMatrix<double>& A, const ColumnVector<double>& x, ColumnVector<double>& y,
             double alpha, double beta) {
    assert(x.length() == A.size(0) && y.length() == A.size(1));
    multATxStrided(A, x.data(), x.step(), y.data(), y.step(), alpha, beta);
}

void multATx(const GenMatrix<double>& A, const double* x, double* y, double alpha, double beta) {
    multATxStrided(A, x, 1, y, 1, alpha, beta);
}

void multSymmX(const SymmMatrix& S, const double* x, double* y, double alpha, double beta) {
    multSymmXStrided(S, x, 1, y, 1, alpha, beta);
}

void multSymmX(const SymmMatrix& S, const ColumnVector<double>& x, ColumnVector<double>& y,
               double alpha, double beta) {
    assert(x.length() == S.size(0) && y.length() == S.size(0));
    multSymmXStrided(S, x.data(), x.step(), y.data(), y.step(), alpha, beta);
}

void multATB(const GenMatrix<double>& A, const GenMatrix<double>& B, GenMatrix<double>& C,
             double alpha, double beta) {
    assert(A.size(0) == B.size(0) && C.size(0) == A.size(1) && C.size(1) == B.size(1));
    const int depth = A.size(0);
    for (int i = 0; i < B.size(1); ++i) {
        const double* b = B.data() + static_cast<std::ptrdiff_t>(i) * B.leadingDim();
        for (int j = 0; j < A.size(1); ++j) {
            const double* a = A.data() + static_cast<std::ptrdiff_t>(j) * A.leadingDim();
            double o = startFrom(C(j, i), beta);
            for (int k = 0; k < depth; ++k) o += alpha * (a[k] * b[k]);
            C(j, i) = o;
        }
    }
}

double sumAbs(const GenMatrix<double>& v) {
    double sum = 0.0;
    forEachRun(v, [&sum](const double* p, int n, int inc, int) { sum += dasum_(&n, p, &inc); });
    return sum;
}

int indexOfMaxAbs(const GenMatrix<double>& v) {
    int best = -1;
    double bestAbs = 0.0;
    forEachRun(v, [&](const double* p, int n, int inc, int first) {
        const int k = idamax_(&n, p, &inc) - 1;
        const double a = std::fabs(p[static_cast<std::ptrdiff_t>(k) * inc]);
        if (best < 0 || a > bestAbs) {
            best = first + k;
            bestAbs = a;
        }
    });
    return best;
}

}  // namespace zelk
