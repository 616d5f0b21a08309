#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "input/fatal_exit.h"
#include "matrix/linear_solvers.h"
#include "matrix/products.h"

using zelk::ColumnVector;
using zelk::GenMatrix;
using zelk::LaIndex;

namespace {

GenMatrix<double> fromRows(int n, std::initializer_list<double> rowMajor) {
    GenMatrix<double> a(n, n);
    int k = 0;
    for (double v : rowMajor) {
        a(k / n, k % n) = v;
        ++k;
    }
    return a;
}

// Largest |A X - B| over all elements.
double residual(const GenMatrix<double>& a, const GenMatrix<double>& x, const GenMatrix<double>& b) {
    GenMatrix<double> r(b);
    zelk::multAB(a, x, r, 1.0, -1.0);
    return std::fabs(r(zelk::indexOfMaxAbs(r) % r.size(0), zelk::indexOfMaxAbs(r) / r.size(0)));
}

}  // namespace

// Each system is factored in place inside a window; the rest of the parent stays 9.
TEST(LuSolve, RandomSystemsInWindowsWithSeveralRightHandSides) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> u(-1, 1);
    for (int n = 1; n <= 8; ++n) {
        GenMatrix<double> a(n, n), b(n, 2), parent(n + 2, n + 3);
        for (int j = 0; j < n; ++j)
            for (int i = 0; i < n; ++i) a(i, j) = u(rng) + (i == j ? n : 0);
        for (int j = 0; j < 2; ++j)
            for (int i = 0; i < n; ++i) b(i, j) = u(rng);
        parent = 9.0;
        GenMatrix<double> lu = parent(LaIndex(1, n), LaIndex(2, n + 1)), x(b);
        lu.copyValues(a);
        ColumnVector<int> pivots(n);
        zelk::luFactor(lu, pivots);
        zelk::luSolve(lu, x, pivots);
        EXPECT_LT(residual(a, x, b), 1e-13) << "n = " << n;
        lu = 9.0;
        EXPECT_EQ(zelk::sumAbs(parent), 9.0 * (n + 2) * (n + 3)) << "n = " << n;
    }
}

TEST(LuFactor, SingularMatrixEndsTheRunWithItsMessage) {
    GenMatrix<double> a = fromRows(3, {1, 0, 2, 3, 0, 4, 5, 0, 6});
    ColumnVector<int> pivots(3);
    testing::internal::CaptureStdout();
    try {
        zelk::luFactor(a, pivots);
        FAIL() << "singular matrix accepted";
    } catch (const zelk::FatalExit& e) {
        EXPECT_EQ(e.exitCode, 1);
    }
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Error in LU factorization of the coefficient matrix A\n"
              "2-th diagonal element is exactly zero\n");
}

TEST(ConditionEstimate, MatchesKnownConditionNumbers) {
    GenMatrix<double> id(4, 4);
    for (int i = 0; i < 4; ++i) id(i, i) = 1;
    EXPECT_DOUBLE_EQ(zelk::conditionEstimate(id), 1.0);

    GenMatrix<double> diag(3, 3);
    diag(0, 0) = 1;
    diag(1, 1) = -10;
    diag(2, 2) = 100;
    EXPECT_DOUBLE_EQ(zelk::conditionEstimate(diag), 0.01);

    // Not symmetric: |A|_1 = 3 (column sums), |A|_inf = 2, |A^-1|_1 = 1.
    GenMatrix<double> a = fromRows(2, {2, 0, 1, 1});
    EXPECT_NEAR(zelk::conditionEstimate(a), 1.0 / 3.0, 1e-15);
    EXPECT_EQ(a(0, 0), 2);  // the argument is a copy
    EXPECT_EQ(a(1, 0), 1);

    // Hilbert matrix of order 4: condition number 28375 in the one-norm.
    GenMatrix<double> h(4, 4);
    for (int j = 0; j < 4; ++j)
        for (int i = 0; i < 4; ++i) h(i, j) = 1.0 / (i + j + 1);
    EXPECT_NEAR(1.0 / zelk::conditionEstimate(h), 28375.0, 1.0);

    // A window is estimated from what it sees.
    GenMatrix<double> big(6, 6);
    big = 1000.0;
    GenMatrix<double> w = big(LaIndex(1, 2), LaIndex(3, 4));
    w.copyValues(a);
    EXPECT_NEAR(zelk::conditionEstimate(w), 1.0 / 3.0, 1e-15);

    GenMatrix<double> singular = fromRows(2, {1, 2, 2, 4});
    EXPECT_EQ(zelk::conditionEstimate(singular), 0.0);
}
