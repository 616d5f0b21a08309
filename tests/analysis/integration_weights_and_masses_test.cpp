#include <gtest/gtest.h>

#include <numeric>

#include "analysis/dynamic_analysis.h"
#include "trilinear_grid.h"

namespace zelk {
namespace {

using test::GridShape;

double sum(const std::vector<double>& v) { return std::accumulate(v.begin(), v.end(), 0.0); }

using Fixture = test::GridBody;

TEST(IntegrationPoints, PiefgUsesNodesThenCellCentresAndSplitsCellVolumes) {
    Fixture f({2, 1, 1, 0.5});
    DynamicAnalysis analysis(f.evaluator, f.model, "PIEFG");
    ASSERT_EQ(analysis.numIntPoints, 12 + 2);
    EXPECT_DOUBLE_EQ(analysis.intPoints[12].x, 0.25);
    EXPECT_DOUBLE_EQ(analysis.intPoints[13].x, 0.75);
    EXPECT_DOUBLE_EQ(f.model.cells[0].weights[0], 0.125);
    analysis.computeWeightsAndMass();
    EXPECT_NEAR(sum(analysis.pointWeight), 0.25, 1e-15);
    EXPECT_NEAR(analysis.pointWeight[0], 0.125 / 24, 1e-17);
    EXPECT_NEAR(analysis.pointWeight[1], 2 * 0.125 / 24, 1e-17);  // shared by both cells
    EXPECT_NEAR(analysis.pointWeight[12], 0.125 * 2 / 3, 1e-16);
    EXPECT_NEAR(sum(analysis.nodalMass), 0.25 * 8.0, 1e-13);
    EXPECT_EQ(analysis.contactWeight(1), analysis.pointWeight[1]);
    EXPECT_NO_THROW(analysis.checkNodalMasses());
}

TEST(IntegrationPoints, EfgGaussPointsCellByCellWithDetJWeights) {
    Fixture f({2, 2, 1, 1.0});
    f.model.NINTX = 3;
    f.model.NINTY = 2;
    f.model.NINTZ = 1;
    DynamicAnalysis analysis(f.evaluator, f.model, "EFG");
    ASSERT_EQ(analysis.numIntPoints, 6 * 4);
    EXPECT_EQ(f.model.cells[1].numCellPoints, 6);
    EXPECT_NEAR(analysis.intPoints[0].x, (1 - 0.7745966692415) / 2, 1e-12);
    EXPECT_NEAR(analysis.intPoints[6].x, 1 + (1 - 0.7745966692415) / 2, 1e-12);  // second cell
    EXPECT_NEAR(analysis.intPoints[1].y, (1 + 0.5773502691896) / 2, 1e-12);      // eta before xi
    analysis.computeWeightsAndMass();
    EXPECT_NEAR(sum(analysis.pointWeight), 4.0, 1e-12);
    EXPECT_NEAR(sum(analysis.nodalMass), 4.0 * 8.0, 1e-11);
    // Node shares of the body (wall weights) add up to the body too.
    double volume = 0.0;
    for (int i = 0; i < f.model.NUMNP; ++i) volume += analysis.contactWeight(i);
    EXPECT_NEAR(volume, 4.0, 1e-12);
    EXPECT_NEAR(analysis.contactWeight(0), 0.125, 1e-12);  // a corner node: 1/8 of its one cell
}

TEST(IntegrationPoints, EfgNodeStressComesFromNearestPoint) {
    Fixture f({1, 1, 1, 1.0});
    DynamicAnalysis analysis(f.evaluator, f.model, "EFG");
    // Gauss points run xi slowest, zeta fastest: the point nearest to node 7 (1, 1, 1) is the last.
    EXPECT_EQ(analysis.stressPointOfNode(0), 0);
    EXPECT_EQ(analysis.stressPointOfNode(7), 7);
    EXPECT_EQ(analysis.stressPointOfNode(1), 4);  // node (1, 0, 0): xi +, eta -, zeta -
}

}  // namespace
}  // namespace zelk
