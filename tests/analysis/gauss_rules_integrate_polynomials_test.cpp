#include <gtest/gtest.h>

#include <cmath>

#include "analysis/gauss_quadrature.h"
#include "input/fatal_exit.h"

namespace zelk {
namespace {

// Exact integral of x^d over [-1, 1].
double monomialIntegral(int d) { return d % 2 ? 0.0 : 2.0 / (d + 1); }

TEST(GaussQuadrature, EveryOrderIntegratesDegree2nMinus1Exactly) {
    for (int n = 1; n <= kMaxGaussOrder; ++n) {
        double xi[kMaxGaussOrder], w[kMaxGaussOrder];
        int count = -1;
        gaussQuadrature(n, 1, 1, count, xi, nullptr, nullptr, w, 1);
        ASSERT_EQ(count, n);
        for (int d = 0; d <= 2 * n - 1; ++d) {
            double sum = 0.0;
            for (int k = 0; k < n; ++k) sum += w[k] * std::pow(xi[k], d);
            EXPECT_NEAR(sum, monomialIntegral(d), 5e-13) << "order " << n << " degree " << d;
        }
        // Degree 2n is no longer exact: the table really is of order n.
        double sum = 0.0;
        for (int k = 0; k < n; ++k) sum += w[k] * std::pow(xi[k], 2 * n);
        EXPECT_GT(std::abs(sum - monomialIntegral(2 * n)), 1e-6) << "order " << n;
        for (int k = 1; k < n; ++k) EXPECT_LT(xi[k - 1], xi[k]) << "ascending abscissae";
    }
}

TEST(GaussQuadrature, ThreeDimensionalRuleRunsZetaFastestAndMultipliesWeights) {
    double xi[150], eta[150], zeta[150], w[150];
    int count = 0;
    gaussQuadrature(2, 3, 4, count, xi, eta, zeta, w, 3);
    ASSERT_EQ(count, 24);
    EXPECT_EQ(zeta[0], gaussAbscissa(4, 0));
    EXPECT_EQ(zeta[1], gaussAbscissa(4, 1));
    EXPECT_EQ(eta[4], gaussAbscissa(3, 1));
    EXPECT_EQ(xi[12], gaussAbscissa(2, 1));
    EXPECT_EQ(w[5], gaussWeight(4, 1) * gaussWeight(3, 1) * gaussWeight(2, 0));
    double volume = 0.0, firstMoment = 0.0;
    for (int p = 0; p < count; ++p) {
        volume += w[p];
        firstMoment += w[p] * xi[p] * xi[p] * eta[p] * eta[p] * zeta[p] * zeta[p];
    }
    EXPECT_NEAR(volume, 8.0, 1e-12);
    EXPECT_NEAR(firstMoment, 8.0 / 27.0, 1e-12);
}

TEST(GaussQuadrature, RejectsBadDimensionAndOrders) {
    double a[150];
    int count = 0;
    EXPECT_THROW(gaussQuadrature(2, 2, 2, count, a, a, a, a, 4), FatalExit);
    EXPECT_THROW(gaussQuadrature(11, 1, 1, count, a, a, a, a, 1), FatalExit);
    EXPECT_THROW(gaussQuadrature(2, 0, 2, count, a, a, a, a, 3), FatalExit);
    EXPECT_TRUE(gaussOrdersValid(10, 5, 3));
    EXPECT_FALSE(gaussOrdersValid(10, 4, 4));  // 160 points per cell
    EXPECT_FALSE(gaussOrdersValid(0, 2, 2));
    EXPECT_FALSE(gaussOrdersValid(2, 11, 1));
}

}  // namespace
}  // namespace zelk
