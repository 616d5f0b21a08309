// The GRIDWALL block's CONTACT and HISTORY lines: mistakes are refused with
// the line, and the default damped wall only ever pushes and takes energy out.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "catalogue_cases.h"

namespace {

using namespace catalogue;

// GRIDWALL is line 33 (after BATCH and the approximation), its first inner line 34.
std::string withWallBlock(const std::string& lines) {
    return withBatch(kCubeModel, kApprox + "DYNAMICS PIEFG\nGRIDWALL 1\n" + lines +
                                     "PLANE Z -1 0.0 0 1e5\nENDGRID\n" + kFall);
}

TEST(WallContact, MistakesOnTheContactAndHistoryLines) {
    const std::string error = "*** Error *** GridWall : ";
    runCases({
        {"NoLaw", withWallBlock("CONTACT\n"), Stream::kOutput,
         error + "the CONTACT line needs a law (DAMPED or PENALTY) (line 34)\n", 1},
        {"UnknownLaw", withWallBlock("CONTACT SPRING\n"), Stream::kOutput,
         error + "unknown contact law \"SPRING\" (DAMPED or PENALTY) (line 34)\n", 1},
        {"StiffnessAboveOne", withWallBlock("CONTACT DAMPED 1.5\n"), Stream::kOutput,
         error + "the contact stiffness fraction must be in (0, 1] (line 34)\n", 1},
        {"NegativeDamping", withWallBlock("CONTACT DAMPED 0.1 -0.5\n"), Stream::kOutput,
         error + "the contact damping ratio must be in [0, 1] (line 34)\n", 1},
        {"HistoryWithoutName", withWallBlock("HISTORY\n"), Stream::kOutput,
         error + "the HISTORY line needs a file name (line 34)\n", 1},
        {"PenaltyRuns", withWallBlock("CONTACT PENALTY\n"), Stream::kOutput, "TIME STEP = 6 ", 0},
    });
}

TEST(WallContact, DampedWallOnlyPushesAndNeverAddsEnergy) {
    const auto run = runCase({"", withWallBlock("HISTORY wall.txt\n"), Stream::kOutput, "TIME STEP = 6 ", 0});
    std::istringstream lines(run.file("wall.txt"));
    std::vector<double> row(7);
    int count = 0;
    bool pushed = false;
    while (lines >> row[0] >> row[1] >> row[2] >> row[3] >> row[4] >> row[5] >> row[6]) {
        ++count;
        EXPECT_GE(row[3], 0.0) << "step " << count;  // z force: up, out of the wall
        EXPECT_LE(row[6], 0.0) << "step " << count;  // wall work on the body
        pushed = pushed || row[3] > 0.0;
    }
    EXPECT_EQ(count, 6);
    EXPECT_TRUE(pushed);
}

}  // namespace
