#include <gtest/gtest.h>

#include <cmath>

#include "analysis/rigid_wall.h"

namespace zelk {
namespace {

TEST(PlaneWall, PenetratesOnlyStrictlyBeyondOnItsSide) {
    PlaneWall wall;
    wall.axis = 1;
    wall.side = 1;
    wall.position = 1.0;
    auto g = wall.penetration({1.1, 5.0, -3.0});
    EXPECT_NEAR(g[0], 0.1, 1e-15);
    EXPECT_EQ(g[1], 0.0);
    EXPECT_EQ(g[2], 0.0);
    EXPECT_EQ(wall.penetration({1.0, 0.0, 0.0})[0], 0.0);
    EXPECT_EQ(wall.penetration({0.9, 0.0, 0.0})[0], 0.0);
    wall.side = -1;
    EXPECT_EQ(wall.penetration({1.1, 0.0, 0.0})[0], 0.0);
    EXPECT_EQ(wall.penetration({1.0, 0.0, 0.0})[0], 0.0);
    EXPECT_NEAR(wall.penetration({0.75, 0.0, 0.0})[0], -0.25, 1e-15);
    wall.side = 0;
    EXPECT_EQ(wall.penetration({100.0, 0.0, 0.0})[0], 0.0);
}

TEST(PlaneWall, ZAxisWallActsAlongZOnly) {
    PlaneWall wall;
    wall.axis = 3;
    wall.side = 1;
    wall.position = 0.0;
    const auto g = wall.penetration({7.0, 7.0, 0.02});
    EXPECT_EQ(g[0], 0.0);
    EXPECT_EQ(g[1], 0.0);
    EXPECT_DOUBLE_EQ(g[2], 0.02);
}

TEST(CylinderWall, ActsInsideOrOutsideItsDisc) {
    CylinderWall punch;
    punch.axis = 3;
    punch.side = 1;
    punch.position = 1.0;
    punch.radius = 0.5;
    punch.radialSide = 1;
    EXPECT_NEAR(punch.penetration({0.3, 0.3, 1.2})[2], 0.2, 1e-15);  // r = 0.424
    EXPECT_EQ(punch.penetration({0.4, 0.4, 1.2})[2], 0.0);           // r = 0.566
    EXPECT_EQ(punch.penetration({0.3, 0.3, 0.8})[2], 0.0);           // not beyond the plane
    punch.radialSide = -1;
    EXPECT_EQ(punch.penetration({0.3, 0.3, 1.2})[2], 0.0);
    EXPECT_NEAR(punch.penetration({0.4, 0.4, 1.2})[2], 0.2, 1e-15);
    punch.radialSide = 2;
    EXPECT_EQ(punch.penetration({0.4, 0.4, 1.2})[2], 0.0);
}

TEST(CylinderWall, RadiusIsMeasuredFromTheWallsOwnAxis) {
    CylinderWall wall;
    wall.axis = 1;
    wall.side = -1;
    wall.position = 0.0;
    wall.radius = 1.0;
    const auto g = wall.penetration({-0.5, 0.0, 0.9});  // r = 0.9 about the x axis
    EXPECT_DOUBLE_EQ(g[0], -0.5);
    EXPECT_EQ(wall.penetration({-0.5, 0.8, 0.8})[0], 0.0);  // r = 1.13
}

TEST(RigidWall, BaseWallNeverTouchesAndWallsMoveByVelocityTimesStep) {
    RigidWall base;
    const auto g = base.penetration({1e9, 1e9, 1e9});
    EXPECT_EQ(g[0] + g[1] + g[2], 0.0);
    PlaneWall wall;
    wall.position = 2.0;
    wall.wallVelocity = -3.0;
    wall.move(0.5);
    wall.move(0.25);
    EXPECT_DOUBLE_EQ(wall.position, -0.25);
}

}  // namespace
}  // namespace zelk
