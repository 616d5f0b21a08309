#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "matrix/products.h"

using zelk::ColumnVector;
using zelk::GenMatrix;
using zelk::LaIndex;
using zelk::SymmMatrix;

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
std::mt19937 rng(12345);

double uniform() { return std::uniform_real_distribution<double>(-1.0, 1.0)(rng); }
int between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }

// A random rows x cols operand: either a compact matrix or a window inside a
// larger random parent (so its leading dimension exceeds its row count).
GenMatrix<double> randomOperand(int rows, int cols, bool window) {
    const int top = window ? between(1, 3) : 0, left = window ? between(0, 2) : 0;
    GenMatrix<double> parent(rows + top + (window ? 2 : 0), cols + left + (window ? 1 : 0));
    for (int j = 0; j < parent.size(1); ++j)
        for (int i = 0; i < parent.size(0); ++i) parent(i, j) = uniform();
    if (!window) return parent;
    return parent(LaIndex(top, top + rows - 1), LaIndex(left, left + cols - 1));
}

GenMatrix<double> transposed(const GenMatrix<double>& a) {
    GenMatrix<double> t(a.size(1), a.size(0));
    for (int j = 0; j < a.size(1); ++j)
        for (int i = 0; i < a.size(0); ++i) t(j, i) = a(i, j);
    return t;
}

// alpha * A B + beta * C by plain loops; beta = 0 ignores C (even NaN), as BLAS does.
GenMatrix<double> reference(const GenMatrix<double>& a, const GenMatrix<double>& b,
                            const GenMatrix<double>& c, double alpha, double beta) {
    GenMatrix<double> r(c);
    for (int i = 0; i < r.size(0); ++i)
        for (int j = 0; j < r.size(1); ++j) {
            double s = 0;
            for (int k = 0; k < a.size(1); ++k) s += a(i, k) * b(k, j);
            r(i, j) = alpha * s + (beta == 0 ? 0.0 : beta * c(i, j));
        }
    return r;
}

void expectNear(const GenMatrix<double>& got, const GenMatrix<double>& want) {
    ASSERT_EQ(got.size(0), want.size(0));
    ASSERT_EQ(got.size(1), want.size(1));
    for (int j = 0; j < got.size(1); ++j)
        for (int i = 0; i < got.size(0); ++i)
            EXPECT_NEAR(got(i, j), want(i, j), 1e-12) << "at (" << i << ", " << j << ")";
}

// Random sizes 1..7, compact or window operands, and beta in {0, 1, -0.5}; an
// output is filled with NaN when beta = 0 to show it is overwritten, not scaled.
struct Case {
    int m, n, k;
    bool windows;
    double alpha, beta;
    GenMatrix<double> output(int rows, int cols) const {
        GenMatrix<double> c = randomOperand(rows, cols, windows);
        if (beta == 0) c = kNaN;
        return c;
    }
};

Case randomCase(int trial) {
    const double betas[] = {0.0, 1.0, -0.5};
    return {between(1, 7), between(1, 7), between(1, 7), trial % 2 == 1, uniform() * 2,
            betas[trial % 3]};
}

}  // namespace

// C = alpha A^T B + beta C on compact and window operands, against plain loops.
TEST(Products, TransposedProductMatchesPlainLoops) {
    for (int trial = 0; trial < 60; ++trial) {
        const Case t = randomCase(trial);
        SCOPED_TRACE(testing::Message() << "m=" << t.m << " n=" << t.n << " k=" << t.k << " windows=" << t.windows
                                        << " beta=" << t.beta);
        GenMatrix<double> a = randomOperand(t.k, t.m, t.windows), b = randomOperand(t.k, t.n, t.windows);
        GenMatrix<double> c = t.output(t.m, t.n);
        const GenMatrix<double> want = reference(transposed(a), b, c, t.alpha, t.beta);
        zelk::multATB(a, b, c, t.alpha, t.beta);
        expectNear(c, want);
    }
}

TEST(Products, OutputWindowLeavesTheRestOfItsParentAlone) {
    GenMatrix<double> parent(5, 5);
    parent = 3.0;
    GenMatrix<double> c = parent(LaIndex(1, 3), LaIndex(1, 2));
    zelk::multATB(randomOperand(4, 3, true), randomOperand(4, 2, false), c, 1.0, 0.0);
    int untouched = 0;
    for (int j = 0; j < 5; ++j)
        for (int i = 0; i < 5; ++i) untouched += parent(i, j) == 3.0;
    EXPECT_EQ(untouched, 25 - 6);
}

TEST(Products, SymmetricAndMatrixVectorProductsMatchPlainLoops) {
    for (int trial = 0; trial < 30; ++trial) {
        const Case t = randomCase(trial);
        SCOPED_TRACE(testing::Message() << "m=" << t.m << " n=" << t.n << " k=" << t.k
                                        << " windows=" << t.windows << " beta=" << t.beta);
        SymmMatrix s(t.m, t.m);
        s.storage() = kNaN;  // the upper part must not be read
        for (int j = 0; j < t.m; ++j)
            for (int i = j; i < t.m; ++i) s(i, j) = uniform();
        GenMatrix<double> x = randomOperand(t.m, 1, false), y = t.output(t.m, 1);
        const GenMatrix<double> ywant = reference(s.toGenMatrix(), x, y, t.alpha, t.beta);
        zelk::multSymmX(s, x.data(), y.data(), t.alpha, t.beta);
        expectNear(y, ywant);

        // A^T x with x a row of a larger matrix: its elements are a leading dimension apart.
        GenMatrix<double> a = randomOperand(t.m, t.n, t.windows);
        GenMatrix<double> xs = randomOperand(3, t.m, false);
        ColumnVector<double> xrow, yv(t.output(t.n, 1));
        xrow.share(xs(LaIndex(1, 1), LaIndex()));
        const GenMatrix<double> xcol = transposed(GenMatrix<double>(xrow));
        const GenMatrix<double> yvwant = reference(transposed(a), xcol, yv, t.alpha, t.beta);
        zelk::multATx(a, xrow, yv, t.alpha, t.beta);
        expectNear(yv, yvwant);

        // The raw-array form writing into a column of a matrix.
        GenMatrix<double> out(t.n, 2);
        out = 1.0;
        zelk::multATx(a, xcol.data(), &out(0, 1), t.alpha, t.beta);
        expectNear(out(LaIndex(), LaIndex(1, 1)),
                   reference(transposed(a), xcol, out(LaIndex(), LaIndex(0, 0)), t.alpha, t.beta));
    }
}

TEST(VectorOps, IndexOfMaxAbsAndSumAbsOverVectorsAndWindows) {
    ColumnVector<double> v(5);
    v(1) = -4;
    v(3) = 4;
    EXPECT_EQ(zelk::indexOfMaxAbs(v), 1);
    EXPECT_EQ(zelk::indexOfMaxAbs(ColumnVector<double>()), -1);
    GenMatrix<double> m(3, 3);
    m(2, 0) = 4;
    m(0, 2) = -4;
    EXPECT_EQ(zelk::indexOfMaxAbs(m(LaIndex(0, 2), LaIndex(0, 2))), 2);
    // Sums over a window see only its own elements.
    GenMatrix<double> parent(4, 4);
    parent = -2.0;
    EXPECT_EQ(zelk::sumAbs(parent(LaIndex(1, 2), LaIndex(0, 2))), 12.0);
}
