#include "matrix/linear_solvers.h"

#include <algorithm>
#include <cassert>
#include <iostream>
#include <vector>

#include "input/fatal_exit.h"
#include "matrix/blas_lapack.h"
#include "matrix/products.h"

namespace zelk {

void luFactor(GenMatrix<double>& A, ColumnVector<int>& pivots) {
    const int m = A.size(0), n = A.size(1), lda = std::max(1, A.leadingDim());
    assert(pivots.length() >= std::min(m, n) && pivots.step() == 1);
    int info = 0;
    dgetrf_(&m, &n, A.data(), &lda, pivots.data(), &info);
    if (info == 0) return;
    std::cout << "Error in LU factorization of the coefficient matrix A\n";
    if (info < 0)
        std::cout << "the" << -info << "-th argument had an illegal value\n";
    else
        std::cout << info << "-th diagonal element is exactly zero\n";
    fatalExit(1);
}

void luSolve(const GenMatrix<double>& A, GenMatrix<double>& B, const ColumnVector<int>& pivots) {
    const int n = A.size(1), nrhs = B.size(1);
    const int lda = std::max(1, A.leadingDim()), ldb = std::max(1, B.leadingDim());
    assert(A.size(0) == n && B.size(0) == n && pivots.length() >= n && pivots.step() == 1);
    int info = 0;
    dgetrs_("N", &n, &nrhs, A.data(), &lda, pivots.data(), B.data(), &ldb, &info);
    if (info != 0) std::cout << "Error in LU solver of the coefficient matrix A\n";
}

double conditionEstimate(GenMatrix<double> A) {
    const int n = A.size(0), lda = std::max(1, A.leadingDim());
    assert(A.size(1) == n);
    // One-norm of A: the largest absolute column sum, taken before A is factored.
    ColumnVector<double> columnSums(n);
    for (int j = 0; j < n; ++j) columnSums(j) = sumAbs(A(LaIndex(), LaIndex(j, j)));
    const double anorm = n > 0 ? columnSums(indexOfMaxAbs(columnSums)) : 0.0;

    // dgecon works on the LU factors; a singular A has no finite condition number.
    ColumnVector<int> pivots(n);
    int info = 0;
    dgetrf_(&n, &n, A.data(), &lda, pivots.data(), &info);
    if (info > 0) return 0.0;

    std::vector<double> work(4 * static_cast<std::size_t>(n) + 1);
    std::vector<int> iwork(static_cast<std::size_t>(n) + 1);
    double rcond = 0.0;
    dgecon_("O", &n, A.data(), &lda, &anorm, &rcond, work.data(), iwork.data(), &info);
    return rcond;
}

}  // namespace zelk
