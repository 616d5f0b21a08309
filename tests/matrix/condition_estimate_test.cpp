// The condition estimate that decides whether a moment matrix is usable.
#include <gtest/gtest.h>

#include <cmath>

#include "matrix/linear_solvers.h"

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

}  // namespace

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
