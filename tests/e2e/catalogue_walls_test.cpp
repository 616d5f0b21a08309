// Rigid walls with values that cannot describe a wall: a radius of zero or
// less is refused, numbers beyond a double are refused by the reader, a side
// other than +-1 keeps its "never acts" meaning, and a penalty or speed so
// large that the run blows up under the plain penalty law is caught in the
// step loop.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue_cases.h"

namespace {

using namespace catalogue;

// Lines 28-34: BATCH, the approximation, DYNAMICS, STEPTIME, INITV; GRIDWALL is line 35.
std::string withWalls(const std::string& wallLines, int count) {
    return withBatch(kCubeModel, kApprox + "DYNAMICS PIEFG\nSTEPTIME CONST 0.1\nINITV 0 0 -10\nGRIDWALL " +
                                     std::to_string(count) + "\n" + wallLines + "ENDGRID\nCALTIME 1e-4\n");
}

std::vector<Case> wallCases() {
    return {
        {"CylinderRadiusZero", withWalls("CYLINDER Z -1 0.0 0 1 0 1e5\n", 1), Stream::kOutput,
         "*** Error *** GridWall : the radius of a cylinder must be positive (line 36)\n", 1},
        {"CylinderRadiusPositive", withWalls("CYLINDER Z -1 0.0 0.5 1 0 1e5\n", 1), Stream::kOutput,
         "TIME STEP = 6 ", 0},
        {"PositionBeyondADouble", withWalls("PLANE Z -1 1e400 0 1e5\n", 1), Stream::kError,
         "*** Error *** Number out of range 1e400\n" + at(36), 1},
        // Side 0 (or any other than +-1) never acts: the run goes on as without walls.
        {"PlaneSideZero", withWalls("PLANE Z 0 0.0 0 1e5\n", 1), Stream::kOutput, "TIME STEP = 6 ", 0},
        {"PenaltyTooLarge", withWalls("CONTACT PENALTY\nPLANE Z -1 0.0 0 1e300\n", 1), Stream::kOutput,
         "*** Error *** CalTime : the solution is no longer finite at step 2, node 1 (is the step length too large?)\n",
         1},
        {"WallSpeedTooLarge", withWalls("CONTACT PENALTY\nPLANE Z -1 0.0 1e300 1e5\n", 1), Stream::kOutput,
         "*** Error *** CalTime : the solution is no longer finite at step 3, node 1", 1},
    };
}

TEST(CatalogueWalls, WallValues) { runCases(wallCases()); }

// A wall of side 0 gives the same history as no wall at all.
TEST(CatalogueWalls, SideZeroIsTheSameAsNoWall) {
    const auto sideZero = runCase({"", withWalls("PLANE Z 0 0.5 0 1e5\n", 1), Stream::kOutput, "", 0});
    const auto noWall = runCase({"", withWalls("", 0), Stream::kOutput, "", 0});
    ASSERT_EQ(sideZero.exitCode, 0);
    ASSERT_EQ(noWall.exitCode, 0);
    EXPECT_EQ(sideZero.file("End_y.txt"), noWall.file("End_y.txt"));
    EXPECT_EQ(sideZero.file("Node.dat"), noWall.file("Node.dat"));
}

}  // namespace
