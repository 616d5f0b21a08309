#include <gtest/gtest.h>

#include "analysis/dynamic_analysis.h"
#include "trilinear_grid.h"

namespace zelk {
namespace {

std::unique_ptr<RigidWall> planeOnX(int side, double position, double penalty, double velocity = 0.0) {
    auto wall = std::make_unique<PlaneWall>();
    wall->axis = 1;
    wall->side = side;
    wall->position = position;
    wall->penaltyFactor = penalty;
    wall->wallVelocity = velocity;
    return wall;
}

// One cell whose x = 1 face is the contact face.
class WallForces : public testing::TestWithParam<const char*>, public test::GridBody {
protected:
    WallForces() : GridBody({1, 1, 1, 1.0}) {
        for (Node& node : model.nodes)
            if (node.x == 1.0) node.nodeFlag = 1;
        start(GetParam()).computeWeightsAndMass();
    }
};

TEST_P(WallForces, PenetratingContactNodesArePushedBackByPenalty) {
    DynamicAnalysis& a = *analysis;
    std::vector<std::unique_ptr<RigidWall>> walls;
    walls.push_back(planeOnX(1, 1.0, 100.0, 2.0));
    a.setWalls(std::move(walls));
    a.wallContact = WallContact::Penalty;
    for (int i = 0; i < model.NUMNP; ++i) a.displacement[3 * i] = 0.1;  // every node at x + 0.1
    a.externalForces(0.5);
    double fx = 0.0, expected = 0.0;
    for (int i = 0; i < model.NUMNP; ++i) {
        fx += a.force[3 * i];
        EXPECT_EQ(a.force[3 * i + 1], 0.0);
        if (model.nodes[i].nodeFlag) expected -= 100.0 * a.contactWeight(i) * 200.0 * 0.1;
    }
    EXPECT_LT(expected, 0.0);
    EXPECT_NEAR(fx, expected, 1e-9);
    // Nodes at x = 0.1 behind the wall are not contact nodes: their own entries stay zero.
    EXPECT_EQ(a.force[0], 0.0);
    EXPECT_DOUBLE_EQ(a.walls[0]->position, 2.0);  // moved by 2 * 0.5 after the forces
    // The wall has moved out of reach; the next call clears the forces.
    a.externalForces(0.5);
    for (double f : a.force) EXPECT_EQ(f, 0.0);
}

INSTANTIATE_TEST_SUITE_P(Schemes, WallForces, testing::Values("EFG", "PIEFG"));

}  // namespace
}  // namespace zelk
