#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "analysis/dynamic_analysis.h"
#include "input/fatal_exit.h"
#include "in_temp_folder.h"
#include "trilinear_grid.h"

namespace zelk {
namespace {

namespace fs = std::filesystem;

// Each test runs in a fresh folder, since the result files have fixed names.
class TimeStepping : public testing_support::InTempFolder, public test::GridBody {
protected:
    TimeStepping() : GridBody({2, 1, 1, 1.0}) {}
    DynamicAnalysis& make(const char* scheme = "PIEFG") {
        // E / rho0 = 25: a step length of 5e-3 gives a base step of 1e-3.
        start(scheme).setStepLength("CONST", 5e-3);
        return *analysis;
    }
    static std::vector<std::string> lines(const char* name) {
        std::ifstream in(name);
        std::vector<std::string> result;
        for (std::string line; std::getline(in, line);) result.push_back(line);
        return result;
    }
    // Runs to `end` with the step lines swallowed.
    void quietRun(DynamicAnalysis& a, double end) {
        testing::internal::CaptureStdout();
        a.runToTime(end);
        testing::internal::GetCapturedStdout();
    }
    double momentum(int d) const {
        double p = 0.0;
        for (int i = 0; i < model.NUMNP; ++i) p += analysis->nodalMass[i] * analysis->velocity[3 * i + d];
        return p;
    }
};

TEST_F(TimeStepping, NegativeEndTakesNoStepButWritesNodeDat) {
    make().runToTime(-1.0);
    EXPECT_TRUE(lines("End_y.txt").empty());
    const auto node = lines("Node.dat");
    ASSERT_EQ(node.size(), 3u + 12u + 2u);
    EXPECT_EQ(node[2], "ZONE N=12 , E=2, F=FEPOINT, ET=BRICK");
    EXPECT_EQ(node[15], "           1           2           5           4           7           8          11          10");
}

TEST_F(TimeStepping, ZeroEndTakesExactlyOneStepWithSixFieldsOfTwentyFour) {
    DynamicAnalysis& a = make();
    a.setInitialVelocity(1.0, 0.0, 0.0);
    testing::internal::CaptureStdout();
    a.runToTime(0.0);
    const std::string console = testing::internal::GetCapturedStdout();
    EXPECT_EQ(console.substr(0, console.find("CALTIME: 1 steps, step length 0.001 to 0.001, ")),
              "TIME STEP = 1     STEP SIZE = 0.001     TIME = 0.001\n");
    const auto history = lines("End_y.txt");
    ASSERT_EQ(history.size(), 1u);
    EXPECT_EQ(history[0],
              "            0.0010000000            0.0010000000               0.0000000"
              "               0.0000000               0.0000000               0.0000000");
    // Rigid motion: every node moved by v dt.
    for (int i = 0; i < model.NUMNP; ++i) EXPECT_NEAR(a.displacement[3 * i], 1e-3, 1e-15);
}

TEST_F(TimeStepping, NodeFilesEveryHundredBaseStepsAndMomentumIsKept) {
    DynamicAnalysis& a = make("EFG");
    for (int i = 0; i < model.NUMNP; ++i) {
        a.velocity[3 * i] = 0.5 * model.nodes[i].x - 0.2;
        a.velocity[3 * i + 2] = 0.1 * model.nodes[i].y;
    }
    a.computeWeightsAndMass();
    const double px = momentum(0), pz = momentum(2);
    quietRun(a, 0.2505);
    EXPECT_EQ(lines("End_y.txt").size(), 251u);
    for (const char* name : {"Node001.txt", "Node002.txt", "Node.dat"}) EXPECT_TRUE(fs::exists(name)) << name;
    EXPECT_FALSE(fs::exists("Node003.txt"));
    EXPECT_EQ(lines("Node001.txt").at(3).size(), 7u * 24u);  // eight-digit fields
    EXPECT_NEAR(momentum(0), px, 1e-12);
    EXPECT_NEAR(momentum(2), pz, 1e-12);
}

TEST_F(TimeStepping, FixedDirectionsStayAtZero) {
    model.sizeDispBCs(1);
    model.dispBCs[0].node = 0;
    model.dispBCs[0].code = {0, 1, 1};
    DynamicAnalysis& a = make();
    a.setInitialVelocity(2.0, 1.0, 0.0);
    quietRun(a, 0.01);
    EXPECT_EQ(a.displacement[0], 0.0);
    EXPECT_EQ(a.velocity[0], 0.0);
    EXPECT_GT(a.displacement[1], 0.0);
    EXPECT_GT(a.displacement[3], 0.0);
}

TEST_F(TimeStepping, ResultFileThatCannotBeOpenedIsNamedAndExitsOne) {
    fs::create_directory("End_y.txt");
    testing::internal::CaptureStdout();
    try {
        make().runToTime(0.0);
        ADD_FAILURE() << "no stop";
    } catch (const FatalExit& e) {
        EXPECT_EQ(e.exitCode, 1);
    }
    EXPECT_NE(testing::internal::GetCapturedStdout().find("\"End_y.txt\""), std::string::npos);
}

TEST_F(TimeStepping, VaryingStepShrinksWithTheSmallestJacobian) {
    DynamicAnalysis& a = make();
    a.setStepLength("VARY", 5e-3);
    EXPECT_FALSE(a.constantStep);
    a.minJacobian = 0.5;
    testing::internal::CaptureStdout();
    a.runToTime(0.0);
    EXPECT_EQ(testing::internal::GetCapturedStdout().find("TIME STEP = 1     STEP SIZE = 0.0005"), 0u);
}

}  // namespace
}  // namespace zelk
