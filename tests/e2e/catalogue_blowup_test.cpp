// A run stopped because its solution blew up keeps everything written before
// the stop in the history and result files.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "program_run.h"

namespace {

// The unit cube of data/cases (8 nodes, one cell), falling onto a wall that is
// flung at 1e300 m/s with the plain penalty law: the solution is no longer
// finite at step 3.
std::string cubeRun(const std::string& calTime) {
    const std::string cube = testing_support::readWholeFile(TEST_DATA_DIR "/cases/cube.dat");
    return cube + "ECHO ON\nBATCH\nMLS\nBASIS LINE\nINFLE SEL 8\nDYNAMICS PIEFG\nSTEPTIME CONST 0.1\n" +
           "INITV 0 0 -10\nGRIDWALL 1\nCONTACT PENALTY\nPLANE Z -1 0.0 1e300 1e5\nENDGRID\nCALTIME " + calTime + "\nEND\nEND\n";
}

int lineCount(const std::string& text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')); }

TEST(CatalogueBlowUp, HistoryAndResultFilesKeepWhatWasWrittenBefore) {
    using testing_support::runProgram;
    const auto stopped = runProgram(ZELK_PROGRAM, {"in.dat"}, {{"in.dat", cubeRun("1e-4")}});
    ASSERT_EQ(stopped.exitCode, 1);
    EXPECT_NE(stopped.standardOutput.find("no longer finite at step 3, node 1"), std::string::npos);

    // One history line per step begun, all of them finite.
    const std::string history = stopped.file("End_y.txt");
    EXPECT_EQ(lineCount(history), 3) << history;
    EXPECT_EQ(history.find("nan"), std::string::npos);
    EXPECT_EQ(history.find("inf"), std::string::npos);

    // The same first steps as a run that ends normally before the wall moves far.
    const auto finished = runProgram(ZELK_PROGRAM, {"in.dat"}, {{"in.dat", cubeRun("3e-5")}});
    ASSERT_EQ(finished.exitCode, 0) << finished.standardOutput;
    EXPECT_EQ(lineCount(finished.file("End_y.txt")), 2);
    EXPECT_EQ(history.substr(0, finished.file("End_y.txt").size()), finished.file("End_y.txt"));

    // The result file holds every line echoed before the stop.
    EXPECT_EQ(stopped.file("ZELK.res"),
              "BATCH\nMLS\nBASIS LINE\nINFLE SEL 8\nDYNAMICS PIEFG\nSTEPTIME CONST 0.1\nINITV 0 0 -10\n"
              "GRIDWALL 1\nCALTIME 1e-4\n");
}

}  // namespace
