#include <gtest/gtest.h>

#include "analysis/cell_geometry.h"

namespace zelk {
namespace {

std::array<Point, 8> box(double a, double b, double c, double x0 = 0.0) {
    std::array<Point, 8> corners;
    for (int i = 0; i < 8; ++i) corners[i] = Point{x0 + ((i & 1) ? a : 0.0), (i & 2) ? b : 0.0, (i & 4) ? c : 0.0};
    return corners;
}

TEST(CellMapping, JacobianOfAStretchedBoxAndAShearedCell) {
    auto cell = box(2.0, 3.0, 0.5, 1.0);
    CellMapping map = mapCellPoint(cell, 0.3, -0.2, 0.9);
    EXPECT_NEAR(map.jacobian[0][0], 1.0, 1e-15);
    EXPECT_NEAR(map.jacobian[1][1], 1.5, 1e-15);
    EXPECT_NEAR(map.jacobian[2][2], 0.25, 1e-15);
    EXPECT_NEAR(map.jacobian[0][1], 0.0, 1e-15);
    EXPECT_NEAR(determinant3(map.jacobian), 0.375, 1e-15);  // volume 3 / 8
    EXPECT_NEAR(map.position[0], 1.0 + 1.3, 1e-15);
    // Shear the top face in x: d x / d zeta picks it up.
    for (int c = 4; c < 8; ++c) cell[c].x += 1.0;
    map = mapCellPoint(cell, 0.0, 0.0, 0.0);
    EXPECT_NEAR(map.jacobian[0][2], 0.5, 1e-15);
    EXPECT_NEAR(determinant3(map.jacobian), 0.375, 1e-15);
}

TEST(PrismVolume, CubeBoxAndInvertedCells) {
    EXPECT_DOUBLE_EQ(prismVolume(box(1.0, 1.0, 1.0)), 1.0);
    EXPECT_DOUBLE_EQ(prismVolume(box(2.0, 3.0, 0.5, 7.0)), 3.0);
    // Bottom face listed clockwise seen from +z: swap the eta order.
    auto clockwise = box(1.0, 1.0, 1.0);
    std::swap(clockwise[0], clockwise[2]);
    std::swap(clockwise[1], clockwise[3]);
    EXPECT_LT(prismVolume(clockwise), 0.0);
    auto upsideDown = box(1.0, 1.0, -1.0);
    EXPECT_DOUBLE_EQ(prismVolume(upsideDown), -1.0);
    const Point centre = cellCentre(box(2.0, 4.0, 6.0, 1.0));
    EXPECT_DOUBLE_EQ(centre.x, 2.0);
    EXPECT_DOUBLE_EQ(centre.y, 2.0);
    EXPECT_DOUBLE_EQ(centre.z, 3.0);
}

}  // namespace
}  // namespace zelk
