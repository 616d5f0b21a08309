#include <gtest/gtest.h>

#include <array>

#include "analysis/rigid_wall.h"

namespace zelk {
namespace {

using Vec = std::array<double, 3>;

struct GapCase {
    const char* what;
    int axis, side;
    double position;
    double radius;   // < 0: a plane wall
    int radialSide;  // cylinders: 1 inside the disc, -1 outside
    Vec point;
    Vec gap;
};

// Plane walls act strictly beyond their plane on their side; a cylinder acts
// inside or outside its disc, the radius measured from the wall's own axis.
TEST(RigidWall, PenetrationOfPlanesAndCylinders) {
    const GapCase cases[] = {
        {"plane x beyond", 1, 1, 1.0, -1, 0, {1.1, 5.0, -3.0}, {0.1, 0, 0}},
        {"plane x on the plane", 1, 1, 1.0, -1, 0, {1.0, 0, 0}, {0, 0, 0}},
        {"plane x before", 1, 1, 1.0, -1, 0, {0.9, 0, 0}, {0, 0, 0}},
        {"plane x other side", 1, -1, 1.0, -1, 0, {1.1, 0, 0}, {0, 0, 0}},
        {"plane x other side on plane", 1, -1, 1.0, -1, 0, {1.0, 0, 0}, {0, 0, 0}},
        {"plane x other side beyond", 1, -1, 1.0, -1, 0, {0.75, 0, 0}, {-0.25, 0, 0}},
        {"plane without a side", 1, 0, 1.0, -1, 0, {100.0, 0, 0}, {0, 0, 0}},
        {"plane z acts along z only", 3, 1, 0.0, -1, 0, {7.0, 7.0, 0.02}, {0, 0, 0.02}},
        {"punch inside, r = 0.424", 3, 1, 1.0, 0.5, 1, {0.3, 0.3, 1.2}, {0, 0, 0.2}},
        {"punch inside, r = 0.566", 3, 1, 1.0, 0.5, 1, {0.4, 0.4, 1.2}, {0, 0, 0}},
        {"punch, not beyond the plane", 3, 1, 1.0, 0.5, 1, {0.3, 0.3, 0.8}, {0, 0, 0}},
        {"ring outside, r = 0.424", 3, 1, 1.0, 0.5, -1, {0.3, 0.3, 1.2}, {0, 0, 0}},
        {"ring outside, r = 0.566", 3, 1, 1.0, 0.5, -1, {0.4, 0.4, 1.2}, {0, 0, 0.2}},
        {"cylinder of no radial side", 3, 1, 1.0, 0.5, 2, {0.4, 0.4, 1.2}, {0, 0, 0}},
        {"cylinder on x, r = 0.9", 1, -1, 0.0, 1.0, 1, {-0.5, 0.0, 0.9}, {-0.5, 0, 0}},
        {"cylinder on x, r = 1.13", 1, -1, 0.0, 1.0, 1, {-0.5, 0.8, 0.8}, {0, 0, 0}},
    };
    for (const GapCase& c : cases) {
        PlaneWall plane;
        CylinderWall cylinder;
        cylinder.radius = c.radius;
        cylinder.radialSide = c.radialSide;
        RigidWall& wall = c.radius < 0 ? static_cast<RigidWall&>(plane) : cylinder;
        wall.axis = c.axis;
        wall.side = c.side;
        wall.position = c.position;
        const Vec gap = wall.penetration(c.point);
        for (int k = 0; k < 3; ++k) EXPECT_NEAR(gap[k], c.gap[k], 1e-15) << c.what << ", direction " << k;
    }
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
