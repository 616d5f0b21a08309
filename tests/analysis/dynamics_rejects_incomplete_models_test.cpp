#include <gtest/gtest.h>

#include "analysis/dynamic_analysis.h"
#include "input/fatal_exit.h"
#include "trilinear_grid.h"

namespace zelk {
namespace {

class Rejects : public testing::Test {
protected:
    void SetUp() override { test::buildGridModel(model, grid, material); }
    // The message of a construction that must stop with exit 1.
    std::string stopMessage(const char* scheme) {
        testing::internal::CaptureStdout();
        try {
            DynamicAnalysis analysis(evaluator, model, scheme);
            testing::internal::GetCapturedStdout();
            ADD_FAILURE() << "no stop";
            return {};
        } catch (const FatalExit& e) {
            EXPECT_EQ(e.exitCode, 1);
        }
        return testing::internal::GetCapturedStdout();
    }
    test::GridSpec grid{1, 1, 1, 1.0};
    Material material = test::elasticSteel();
    Model model;
    test::TrilinearGrid evaluator{grid};
};

TEST_F(Rejects, UnknownSchemeBeforeAnyEvaluation) {
    EXPECT_EQ(stopMessage("NIEFG"), "Meshless type error!!!");
    EXPECT_EQ(evaluator.evaluations, 0);
}

TEST_F(Rejects, GaussOrdersOutsideTheTable) {
    model.NINTX = 11;
    EXPECT_NE(stopMessage("EFG").find("NINTX, NINTY, NINTZ (11, 2, 2)"), std::string::npos);
    model.NINTX = 10;
    model.NINTY = 4;
    model.NINTZ = 4;
    EXPECT_NE(stopMessage("EFG").find("at most 150"), std::string::npos);
    model.NINTX = 0;
    EXPECT_NE(stopMessage("EFG").find("1 to 10"), std::string::npos);
    // PIEFG does not use them.
    EXPECT_NO_THROW(DynamicAnalysis(evaluator, model, "PIEFG"));
}

TEST_F(Rejects, PiefgNeedsOnePointPerNodeAndCornerNodes) {
    model.evPoints.resize(5);
    model.NUMEVPOINT = 5;
    EXPECT_NE(stopMessage("PIEFG").find("at least NUMNP = 8 evaluation points"), std::string::npos);
    test::buildGridModel(model, grid, material);
    model.cells[0].nodeNumbers.clear();
    EXPECT_NE(stopMessage("PIEFG").find("cell 1"), std::string::npos);
    EXPECT_NO_THROW(DynamicAnalysis(evaluator, model, "EFG"));
}

TEST_F(Rejects, MissingPointsCellsOrMaterial) {
    model.sizeCells(0);
    EXPECT_NE(stopMessage("EFG").find("EFG needs background cells"), std::string::npos);
    model.evPoints[0].material = nullptr;
    EXPECT_NE(stopMessage("PIEFG").find("evaluation point 1 has no material"), std::string::npos);
    model.sizeEvPoints(0);
    EXPECT_NE(stopMessage("PIEFG").find("no evaluation points"), std::string::npos);
}

TEST_F(Rejects, CellsByCornersOnlyWriteAPointZone) {
    model.cells[0].nodeNumbers.clear();
    DynamicAnalysis analysis(evaluator, model, "EFG");
    std::ostringstream out;
    analysis.writeTecplot(out);
    const std::string text = out.str();
    EXPECT_NE(text.find("ZONE I=8, F=POINT\n"), std::string::npos);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3 + 8);
}

}  // namespace
}  // namespace zelk
