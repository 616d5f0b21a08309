#include <gtest/gtest.h>

#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "input/fatal_exit.h"
#include "meshless/mls_approximation.h"
#include "meshless_test_support.h"
#include "in_temp_folder.h"
#include "program_run.h"

namespace zelk {
namespace {

using testing_meshless::gridNodes;
using testing_meshless::makeNode;

// Three nodes in the plane z = 0, sorted 0 1 2 about (0.2, 0.2, 0); with
// INFLE SEL 3 every support radius is the float of sqrt(2).
class ShapeFunctionFailures : public testing_support::InTempFolder {
protected:
    void SetUp() override {
        InTempFolder::SetUp();
        flags_ = std::cout.flags();
        precision_ = std::cout.precision();
        debugSwitch = false;
    }
    void TearDown() override {
        std::cout.flags(flags_);
        std::cout.precision(precision_);
        debugSwitch = false;
        InTempFolder::TearDown();
    }
    std::vector<Node> planar = {makeNode(0, 0, 0), makeNode(1, 0, 0), makeNode(0, 1, 0)};
    EvPoint pointAt(double x, double y, double z) {
        EvPoint p;
        p.x = x;
        p.y = y;
        p.z = z;
        return p;
    }

private:
    std::ios_base::fmtflags flags_;
    std::streamsize precision_;
};

TEST_F(ShapeFunctionFailures, PointWithoutInfluenceNodesNeverReusesTheLastFactor) {
    const std::vector<Node> nodes = gridNodes(3, 3, 3);
    MlsApproximation a(nodes);
    a.setBasis("SHEP");
    a.setInfluenceDomain("SEL");
    a.setSupportCount(8);
    const double inside[3] = {1, 1, 1};
    ASSERT_TRUE(a.shapeFunctions(inside, 1, "FULL"));
    const double farAway[3] = {50, 50, 50};
    testing::internal::CaptureStdout();
    EXPECT_FALSE(a.shapeFunctions(farAway, 1, "FULL"));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "0-th diagonal element is exactly zero\n");
    EXPECT_EQ(a.InflPtsNb, 0);
}

TEST_F(ShapeFunctionFailures, SecondOrderIsRejectedAsAFailure) {
    const std::vector<Node> nodes = gridNodes(3, 3, 3);
    MlsApproximation a(nodes);
    a.setInfluenceDomain("SEL");
    a.setSupportCount(27);
    const double x[3] = {1, 1, 1};
    testing::internal::CaptureStdout();
    try {
        a.shapeFunctions(x, 2, "FULL");
        ADD_FAILURE() << "second order accepted";
    } catch (const FatalExit& e) {
        EXPECT_EQ(e.exitCode, 1);
    }
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Shape function order is too high!!!!");
    EXPECT_FALSE(a.shapeFunctions(x, 3, "FULL"));
}

TEST_F(ShapeFunctionFailures, OrderZeroLeavesTheDerivativesAndAnEvaluatedPointKeepsItsList) {
    const std::vector<Node> nodes = gridNodes(4, 4, 4);
    MlsApproximation a(nodes);
    a.setBasis("LINE");
    a.setScale(1.5);
    a.setInfluenceDomain("SEL");
    a.setSupportCount(20);
    EvPoint p = pointAt(1.2, 1.4, 1.6);
    a.evaluateAt(p, 1, "FULL");
    ASSERT_EQ(p.inflPtsNb, 20);
    const std::vector<int> list = p.inflPts;
    const std::vector<std::array<double, 3>> derivs = p.shapeDerivs;
    const double d00 = a.shapeDerivs(0, 0);

    a.setSupportCount(10);  // a fresh search would now find other nodes
    a.evaluateAt(p, 0, "FULL");
    EXPECT_EQ(p.inflPts, list);
    EXPECT_EQ(a.shapeDerivs(0, 0), d00);
    EXPECT_EQ(p.shapeDerivs, derivs);
    EXPECT_TRUE(a.searchNeeded);
}

TEST_F(ShapeFunctionFailures, DebugDumpsGoToDebugOut) {
    MlsApproximation a(planar);
    a.setDebug("ON");
    a.setBasis("SHEP");
    a.setInfluenceDomain("SEL");
    a.setSupportCount(3);
    const double x[3] = {0.2, 0.2, 0};
    ASSERT_TRUE(a.shapeFunctions(x, 1, "FULL"));
    a.setDebug("OFF");
    EXPECT_FALSE(debugSwitch);
    // One support line per node, "index ... sx" (y and z are written without a gap between
    // them), then the point, its list, the moment matrix (Shepard: one term, the sum of
    // the weights) and its condition.
    const std::string dump = testing_support::readWholeFile("DEBUG.OUT");
    std::istringstream lines(dump.substr(0, dump.find("\n\n")));
    int count = 0;
    for (std::string line; std::getline(lines, line); ++count)
        EXPECT_EQ(line.substr(0, 5) + line.substr(line.size() - 8), "    " + std::to_string(count) + " 1.41421") << line;
    EXPECT_EQ(count, 3);
    EXPECT_NE(dump.find("EvPoint : { 2.0000e-01   2.0000e-01   0.0000e+00    } \nInflPtsNb_ : 3\n    0    1    2\n"
                        "Matrix A : 1 X 1\n1.2176e+00  \n\nCondition number = 1.0000e+00\n"),
              std::string::npos) << dump;
}

}  // namespace
}  // namespace zelk
