#include <gtest/gtest.h>

#include "meshless/approx_settings.h"
#include "meshless/basis.h"

namespace zelk {
namespace {

ApproxSettings withBasis(const char* name, bool centred) {
    ApproxSettings s;
    s.setBasisType(name);
    s.CBasis = centred ? 1 : 0;
    return s;
}

TEST(Basis, DerivativesAreThoseOfTheMonomials) {
    const double point[3] = {0.5, -1.5, 2.0};
    double dp[3 * 12];
    // Leading dimension 12 > m: rows 10 and 11 must be left alone.
    for (double& v : dp) v = 99.0;
    basisDerivsAt(withBasis("QUAD", false), point, point, dp, 12);
    auto at = [&](int i, int k) { return dp[i + 12 * k]; };
    // d/dx of (1, x, y, z, x2, y2, z2, xy, xz, yz)
    const double ddx[10] = {0, 1, 0, 0, 1.0, 0, 0, -1.5, 2.0, 0};
    const double ddy[10] = {0, 0, 1, 0, 0, -3.0, 0, 0.5, 0, 2.0};
    const double ddz[10] = {0, 0, 0, 1, 0, 0, 4.0, 0, 0.5, -1.5};
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(at(i, 0), ddx[i]) << i;
        EXPECT_EQ(at(i, 1), ddy[i]) << i;
        EXPECT_EQ(at(i, 2), ddz[i]) << i;
    }
    EXPECT_EQ(at(10, 0), 99.0);
    basisDerivsAt(withBasis("SHEP", false), point, point, dp, 12);
    EXPECT_EQ(at(0, 0), 0.0);
    EXPECT_EQ(at(0, 2), 0.0);
}

}  // namespace
}  // namespace zelk
