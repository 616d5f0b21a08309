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

// alpha * A B + beta * C by plain loops.
GenMatrix<double> reference(const GenMatrix<double>& a, const GenMatrix<double>& b,
                            const GenMatrix<double>& c, double alpha, double beta) {
    GenMatrix<double> r(c);
    for (int i = 0; i < r.size(0); ++i)
        for (int j = 0; j < r.size(1); ++j) {
            double s = 0;
            for (int k = 0; k < a.size(1); ++k) s += a(i, k) * b(k, j);
            r(i, j) = alpha * s + beta * c(i, j);
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

struct Case {
    int m, n, k;
    bool windows;
    double alpha, beta;
};

Case randomCase(int trial) {
    const double betas[] = {0.0, 1.0, -0.5};
    return {between(1, 7), between(1, 7), between(1, 7), trial % 2 == 1, uniform() * 2,
            betas[trial % 3]};
}

}  // namespace

TEST(Products, GeneralProductsMatchPlainLoops) {
    for (int trial = 0; trial < 60; ++trial) {
        const Case t = randomCase(trial);
        SCOPED_TRACE(testing::Message() << "m=" << t.m << " n=" << t.n << " k=" << t.k
                                        << " windows=" << t.windows << " beta=" << t.beta);
        GenMatrix<double> a = randomOperand(t.m, t.k, t.windows);
        GenMatrix<double> b = randomOperand(t.k, t.n, t.windows);
        GenMatrix<double> bt = randomOperand(t.n, t.k, t.windows);
        GenMatrix<double> at = randomOperand(t.k, t.m, t.windows);

        GenMatrix<double> c = randomOperand(t.m, t.n, t.windows);
        GenMatrix<double> want = reference(a, b, c, t.alpha, t.beta);
        zelk::multAB(a, b, c, t.alpha, t.beta);
        expectNear(c, want);

        c = randomOperand(t.m, t.n, t.windows);
        want = reference(a, transposed(bt), c, t.alpha, t.beta);
        zelk::multABT(a, bt, c, t.alpha, t.beta);
        expectNear(c, want);

        c = randomOperand(t.m, t.n, t.windows);
        want = reference(transposed(at), b, c, t.alpha, t.beta);
        zelk::multATB(at, b, c, t.alpha, t.beta);
        expectNear(c, want);
    }
}

TEST(Products, OutputWindowLeavesTheRestOfItsParentAlone) {
    GenMatrix<double> parent(5, 5);
    parent = 3.0;
    GenMatrix<double> c = parent(LaIndex(1, 3), LaIndex(1, 2));
    GenMatrix<double> a = randomOperand(3, 4, true), b = randomOperand(4, 2, false);
    zelk::multAB(a, b, c, 1.0, 0.0);
    zelk::multATB(transposed(a), b, c, 1.0, 1.0);
    int untouched = 0;
    for (int j = 0; j < 5; ++j)
        for (int i = 0; i < 5; ++i) untouched += parent(i, j) == 3.0;
    EXPECT_EQ(untouched, 25 - 6);
}

TEST(Products, SymmetricProductsMatchPlainLoops) {
    for (int trial = 0; trial < 30; ++trial) {
        const Case t = randomCase(trial);
        const int n = t.m;
        GenMatrix<double> a = randomOperand(n, t.k, t.windows);

        // Lower triangle of alpha * A A^T + beta * C; the strict upper part stays as it was.
        GenMatrix<double> c = randomOperand(n, n, t.windows);
        GenMatrix<double> before(c);
        GenMatrix<double> full = reference(a, transposed(a), before, t.alpha, t.beta);
        zelk::multAAT(a, c, t.alpha, t.beta);
        for (int g = 0; g < n; ++g)
            for (int f = 0; f < n; ++f)
                EXPECT_NEAR(c(f, g), f >= g ? full(f, g) : before(f, g), 1e-12);

        SymmMatrix s(n, n);
        s.storage() = std::numeric_limits<double>::quiet_NaN();  // upper part must not be read
        for (int j = 0; j < n; ++j)
            for (int i = j; i < n; ++i) s(i, j) = uniform();
        GenMatrix<double> x = randomOperand(n, 1, false), y = randomOperand(n, 1, false);
        GenMatrix<double> ywant = reference(s.toGenMatrix(), x, y, t.alpha, t.beta);
        zelk::multSymmX(s, x.data(), y.data(), t.alpha, t.beta);
        expectNear(y, ywant);
    }
}

TEST(Products, TransposedMatrixVectorProductOnWindowsAndRowVectors) {
    for (int trial = 0; trial < 30; ++trial) {
        const Case t = randomCase(trial);
        GenMatrix<double> a = randomOperand(t.m, t.n, t.windows);
        // x is a row of a larger matrix: its elements are a leading dimension apart.
        GenMatrix<double> xs = randomOperand(3, t.m, false);
        ColumnVector<double> x, y(t.n);
        x.share(xs(LaIndex(1, 1), LaIndex()));
        y = 0.25;
        const GenMatrix<double> xcol = transposed(GenMatrix<double>(x));
        GenMatrix<double> ywant = reference(transposed(a), xcol, y, t.alpha, t.beta);
        zelk::multATx(a, x, y, t.alpha, t.beta);
        expectNear(y, ywant);

        // The raw-array form on a column of a matrix.
        GenMatrix<double> out(t.n, 2);
        out = 1.0;
        ColumnVector<double> xc(xcol);
        zelk::multATx(a, xc.data(), &out(0, 1), t.alpha, t.beta);
        GenMatrix<double> col1 = out(LaIndex(), LaIndex(1, 1));
        GenMatrix<double> ones(t.n, 1);
        ones = 1.0;
        expectNear(col1, reference(transposed(a), xc, ones, t.alpha, t.beta));
    }
}

TEST(Products, BetaZeroOverwritesNaN) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    GenMatrix<double> a = randomOperand(3, 3, false), b = randomOperand(3, 3, false);
    GenMatrix<double> c(3, 3);
    for (auto product : {zelk::multAB, zelk::multABT, zelk::multATB}) {
        c = nan;
        product(a, b, c, 1.0, 0.0);
        EXPECT_FALSE(std::isnan(sumAbs(c)));
    }
    c = nan;
    zelk::multAAT(a, c, 1.0, 0.0);
    for (int j = 0; j < 3; ++j)
        for (int i = j; i < 3; ++i) EXPECT_FALSE(std::isnan(c(i, j)));
    ColumnVector<double> x(3), y(3);
    x = 1.0;
    y = nan;
    zelk::multATx(a, x, y, 1.0, 0.0);
    EXPECT_FALSE(std::isnan(sumAbs(y)));
    SymmMatrix s(3, 3);
    y = nan;
    zelk::multSymmX(s, x, y, 1.0, 0.0);
    EXPECT_EQ(sumAbs(y), 0.0);
}

TEST(VectorOps, IndexOfMaxAbsTakesTheFirstOfEqualsAndIsMinusOneWhenEmpty) {
    ColumnVector<double> v(5);
    v(1) = -4;
    v(3) = 4;
    EXPECT_EQ(zelk::indexOfMaxAbs(v), 1);
    EXPECT_EQ(zelk::indexOfMaxAbs(ColumnVector<double>()), -1);
    GenMatrix<double> m(3, 3);
    m(2, 0) = 4;
    m(0, 2) = -4;
    EXPECT_EQ(zelk::indexOfMaxAbs(m(LaIndex(0, 2), LaIndex(0, 2))), 2);
}
