// A time step so large that the solution blows up: the step loop reports the
// step and the node, the run ends with exit code 1, and everything written
// before stays in the history and result files.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "catalogue_cases.h"

namespace {

using namespace catalogue;

std::string run(const std::string& macros) { return withBatch(kCubeModel, kApprox + "DYNAMICS PIEFG\n" + macros); }

std::vector<Case> blowUpCases() {
    return {
        {"StepBeyondEveryScale", run("STEPTIME CONST 1e300\nINITV 0 0 -10\nCALTIME 1e300\n"), Stream::kOutput,
         "*** Error *** CalTime : the solution is no longer finite at step 1, node 1 (is the step length too large?)\n",
         1},
        // Large but finite steps crush the cube against the wall until a point turns inside out.
        {"StepFarTooLargeAgainstAWall",
         run("STEPTIME CONST 1e6\nINITV 0 0 -10\nGRIDWALL 1\nPLANE Z -1 0.0 0 1e5\nENDGRID\nCALTIME 1e4\n"),
         Stream::kOutput, "Jacobi is too small during stiff P", 1},
    };
}

TEST(CatalogueBlowUp, NonFiniteSolutionsStopTheRun) { runCases(blowUpCases()); }

// The other end: a step so small that the run could never finish is refused
// before the first step, and a time that stops advancing ends the run.
TEST(CatalogueBlowUp, RunsThatCouldNeverFinishAreRefused) {
    runCases({
        {"StepTooSmallForTheEndTime", run("STEPTIME CONST 1e-300\nINITV 0 0 -10\nCALTIME 1\n"), Stream::kOutput,
         "*** Error *** CalTime : the run would need more than 2147483647 steps (is the step length too small?)\n",
         1},
    });
}

int lineCount(const std::string& text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')); }

// A wall flung at 1e300 m/s with the plain penalty law makes the solution non-finite at step 3.
const std::string kFlungWall = "GRIDWALL 1\nCONTACT PENALTY\nPLANE Z -1 0.0 1e300 1e5\nENDGRID\n";

TEST(CatalogueBlowUp, HistoryAndResultFilesKeepWhatWasWrittenBefore) {
    const std::string input = kCubeModel + "ECHO ON\nBATCH\n" + kApprox + "DYNAMICS PIEFG\nSTEPTIME CONST 0.1\n" +
                              "INITV 0 0 -10\n" + kFlungWall + "CALTIME 1e-4\nEND\nEND\n";
    const auto stopped = runCase({"", input, Stream::kOutput, "", 1});
    ASSERT_EQ(stopped.exitCode, 1);
    EXPECT_NE(stopped.standardOutput.find("TIME STEP = 3 "), std::string::npos);
    EXPECT_NE(stopped.standardOutput.find("no longer finite at step 3, node 1"), std::string::npos);

    // One history line per step begun, all of them finite.
    const std::string history = stopped.file("End_y.txt");
    EXPECT_EQ(lineCount(history), 3) << history;
    EXPECT_EQ(history.find("nan"), std::string::npos);
    EXPECT_EQ(history.find("inf"), std::string::npos);

    // The same first steps as a run that ends normally before the wall moves far.
    const std::string shortRun = kCubeModel + "BATCH\n" + kApprox + "DYNAMICS PIEFG\nSTEPTIME CONST 0.1\n" +
                                 "INITV 0 0 -10\n" + kFlungWall + "CALTIME 3e-5\nEND\nEND\n";
    const auto finished = runCase({"", shortRun, Stream::kOutput, "", 0});
    ASSERT_EQ(finished.exitCode, 0) << finished.standardOutput;
    EXPECT_EQ(lineCount(finished.file("End_y.txt")), 2);
    EXPECT_EQ(history.substr(0, finished.file("End_y.txt").size()), finished.file("End_y.txt"));

    // The result file holds every line echoed before the stop.
    EXPECT_EQ(stopped.file("ZELK.res"),
              "BATCH\nMLS\nBASIS LINE\nINFLE SEL 8\nDYNAMICS PIEFG\nSTEPTIME CONST 0.1\nINITV 0 0 -10\n"
              "GRIDWALL 1\nCALTIME 1e-4\n");
}

}  // namespace
