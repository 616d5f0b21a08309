// The reports of an approximation built over a small block of nodes, compared
// with expected files. Every support radius of the block is, by hand, 1.5 times
// the float of sqrt(3): the eighth-nearest node of a corner is the opposite
// corner of its unit cube, and each middle node is raised to that by a later corner.
#include <gtest/gtest.h>

#include <string>

#include "program_run.h"

namespace {

using testing_support::ProgramRun;
using testing_support::readWholeFile;
using testing_support::runProgram;

std::string data(const std::string& name) { return readWholeFile(std::string(TEST_DATA_DIR) + "/" + name); }

TEST(Reports, OutpuShowVarAndListVarOverABlock) {
    ProgramRun run = runProgram(ZELK_PROGRAM, {"block.dat"}, {{"block.dat", data("report_block.dat")}},
                                data("report_block.console"));
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.file("ZELK.res"), data("report_block.expected.res"));
    EXPECT_EQ(run.standardOutput, data("report_block.expected.stdout"));
    EXPECT_EQ(run.standardError, "*** Warning *** Unknown keyword FOO\n");
}

// A model of nodes without evaluation points.
std::string nodesOnly(const std::string& macros) {
    return "ZELK nodes only\nNDM 3\nNUMNP 3\nNODE\n 1 0 0 0 0\n 2 1 0 0 0\n 3 3 0 0 0\nEND\nBATCH\n" +
           macros + "END\nEND\n";
}

TEST(Reports, EmptyPointTableAndMissingApproximation) {
    ProgramRun run = runProgram(ZELK_PROGRAM, {"in.dat"},
                                {{"in.dat", nodesOnly("LISTVAR MEANINFLPTS\nOUTPU\nLISTVAR SUPP 1 3 1\n"
                                                      "MLS\nINFLE SEL 2\nLISTVAR SUPP 1 3 1\n")}});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.standardError, "");
    EXPECT_EQ(run.standardOutput,
              "Maximum number of influence points = 0\n"
              "Minimum number of influence points = 99999999\n"
              "Mean number of influence point     = 0\n"
              "*** Warning *** Outpu : no approximation defined, nothing to report\n"
              "*** Warning *** SupportSize : no approximation defined, nothing to report\n"
              "SupportSize[1:3:1] = \n"
              "s[1]=1.000000  s[2]=2.000000  s[3]=2.000000  \n");
    EXPECT_EQ(run.file("ZELK.res"),
              "Maximum number of influence points = 0\n"
              "Mean number of influence point     = 0\n"
              "Minimum number of influence points = 99999999\n"
              "SupportSize[1:3:1] = \n"
              "s[1]=1.000000  s[2]=2.000000  s[3]=2.000000  \n");
}

}  // namespace
