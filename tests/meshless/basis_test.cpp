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

TEST(Basis, TermCountsFollowTheFirstFourLetters) {
    EXPECT_EQ(basisTermCount(basisKindFromName("QUADRIC Basis")), 10);
    EXPECT_EQ(basisTermCount(basisKindFromName("LINEAR")), 4);
    EXPECT_EQ(basisTermCount(basisKindFromName("SHEPARD")), 1);
    EXPECT_EQ(basisKindFromName("QUA"), BasisKind::Unknown);
    EXPECT_EQ(basisKindFromName("CUBIC"), BasisKind::Unknown);
}

TEST(Basis, MonomialsOfTheNodeOrOfTheOffset) {
    const double point[3] = {1.0, 2.0, 3.0};
    const double node[3] = {2.0, 5.0, -1.0};
    double p[10];
    basisAt(withBasis("LINE", false), point, node, p);
    EXPECT_EQ(p[0], 1.0);
    EXPECT_EQ(p[1], 2.0);
    EXPECT_EQ(p[2], 5.0);
    EXPECT_EQ(p[3], -1.0);
    basisAt(withBasis("LINE", true), point, node, p);
    EXPECT_EQ(p[1], 1.0);
    EXPECT_EQ(p[2], 3.0);
    EXPECT_EQ(p[3], -4.0);
    basisAt(withBasis("QUAD", true), point, node, p);
    const double expected[10] = {1, 1, 3, -4, 1, 9, 16, 3, -4, -12};
    for (int i = 0; i < 10; ++i) EXPECT_EQ(p[i], expected[i]) << i;
    basisAt(withBasis("QUAD", false), point, node, p);
    const double own[10] = {1, 2, 5, -1, 4, 25, 1, 10, -2, -5};
    for (int i = 0; i < 10; ++i) EXPECT_EQ(p[i], own[i]) << i;
    basisAt(withBasis("SHEP", false), point, node, p);
    EXPECT_EQ(p[0], 1.0);
}

TEST(Basis, CentredBasisAtThePointIsTheUnitVector) {
    const double point[3] = {0.3, -0.7, 1.1};
    double p[10];
    basisAt(withBasis("QUAD", true), point, point, p);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(p[i], i == 0 ? 1.0 : 0.0);
    double dp[30];
    basisDerivsAt(withBasis("QUAD", true), point, point, dp, 10);
    for (int k = 0; k < 3; ++k)
        for (int i = 0; i < 10; ++i) EXPECT_EQ(dp[i + 10 * k], i == k + 1 ? 1.0 : 0.0) << i << "," << k;
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
