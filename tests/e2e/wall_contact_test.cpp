// The default damped wall only ever pushes and takes energy out (the CONTACT
// and HISTORY line mistakes are in data/cases/wall_contact.cases).
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "program_run.h"

namespace {

TEST(WallContact, DampedWallOnlyPushesAndNeverAddsEnergy) {
    const std::string input = testing_support::readWholeFile(TEST_DATA_DIR "/cases/cube.dat") +
                              "BATCH\nMLS\nBASIS LINE\nINFLE SEL 8\nDYNAMICS PIEFG\nGRIDWALL 1\nHISTORY wall.txt\n"
                              "PLANE Z -1 0.0 0 1e5\nENDGRID\nSTEPTIME CONST 0.1\nINITV 0 0 -10\nCALTIME 1e-4\nEND\nEND\n";
    const auto run = testing_support::runProgram(ZELK_PROGRAM, {"in.dat"}, {{"in.dat", input}});
    ASSERT_EQ(run.exitCode, 0) << run.standardOutput << run.standardError;
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
