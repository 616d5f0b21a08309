// The approximation commands end to end: their checks, messages and exit codes.
#include <gtest/gtest.h>

#include <string>

#include "program_run.h"

namespace {

using testing_support::ProgramRun;
using testing_support::runProgram;

// Four nodes on the x axis at 0, 1, 3 and 6, one material, then one macro block.
ProgramRun runMacros(const std::string& macros,
                     const std::map<std::string, std::string>& extraFiles = {}) {
    std::map<std::string, std::string> files = extraFiles;
    files["in.dat"] =
        "ZELK line\nNDM 3\nNUMNP 4\nNUMMAT 1\nMATERIAL\n ISOELA_PLA_HYD steel 2e11 0.3 7800 2e9 3e8\n"
        "NODE\n 1 0 0 0 0\n 2 1 0 0 0\n 3 3 0 0 0\n 4 6 0 0 0\nEND\nBATCH\n" +
        macros + "END\nEND\n";
    return runProgram(ZELK_PROGRAM, {"in.dat"}, files);
}

TEST(ApproximationCommands, CommandsBeforeAnyApproximationEndTheRun) {
    const std::pair<const char*, const char*> cases[] = {
        {"WEIGHT cubic 0.5\n", "Weight"},     {"BASIS LINE\n", "Basis"},
        {"SCALE 2\n", "Scale"},               {"GEINFLPTS\n", "Scale"},
        {"DEBUG ON\n", "Debug"},              {"CBASIS\n", "CBasis"},
        {"SINWE\n", "SingularWeight"},        {"SINCHE\n", "SingularCheck"},
        {"INFLE SEL 2\n", "InflDomain"},      {"MAXINFLPT 5\n", "MaxInflPt"},
        {"SUPPORTREGION RECTANGLE\n", "SupportRegion"}};
    for (const auto& [command, label] : cases) {
        ProgramRun run = runMacros(command);
        EXPECT_EQ(run.exitCode, 1) << command;
        EXPECT_EQ(run.standardError, std::string("*** Error *** ") + label + " : APPROX must be defined first !\n")
            << command;
    }
    // BASIS takes its word before the check: LINE is not read as a command.
    EXPECT_EQ(runMacros("BASIS LINE\n").standardOutput, "");
}

TEST(ApproximationCommands, SettingsReachTheApproximationAndMlsResetsThem) {
    ProgramRun run = runMacros(
        "MLS\nWEIGHT cubic 0.5\nINFLE SEL 20\nBASIS line\nSCALE 2\nOUTPU\nMFLS\nOUTPU\n");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.standardError, "");
    EXPECT_EQ(run.file("ZELK.res"),
              "\n\nline \n\nApproximation type :  MLS Approximation\n\nInfluence domain   :  SEL\n"
              "  PtsNb in support :  4\n  Scale            :  2\nBasis type         :  LINE\n\n"
              "Weight type        :  CUBIC\n  Weight parameter :  0.5\n"
              "\n\nline \n\nApproximation type :  MFLS Approximation\n\nInfluence domain   :  SEL\n"
              "  PtsNb in support :  4\n  Scale            :  1\nBasis type         :  QUADRIC Basis\n\n"
              "Weight type        :  SL234\n  Weight parameter :  0.5\n");
}

TEST(ApproximationCommands, UnknownBasisIsRejected) {
    ProgramRun run = runMacros("MLS\nBASIS cubic\n");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.standardError.rfind("*** Error *** ", 0), 0u);
    EXPECT_NE(run.standardError.find("CUBIC"), std::string::npos);
}

TEST(ApproximationCommands, RectangleGoesWithFixOnly) {
    ProgramRun usual = runMacros("MLS\nSUPPORTREGION RECTANGLE\nINFLE FIX 1 2 3\nLISTVAR SUPP 1 4 1\n");
    EXPECT_EQ(usual.exitCode, 0);
    EXPECT_EQ(usual.standardError, "");
    EXPECT_EQ(usual.file("ZELK.res"),
              "SupportSize[1:4:1] = \ns[1]=1.000000  s[2]=1.000000  s[3]=1.000000  s[4]=1.000000  \n");

    ProgramRun count = runMacros("MLS\nSUPPORTREGION RECTANGLE\nINFLE SEL 3\n");
    EXPECT_EQ(count.exitCode, 1);
    EXPECT_EQ(count.standardOutput, "\n Error!! Rectangle suportRegion only Fix!! ");

    ProgramRun after = runMacros("MLS\nINFLE SEL 3\nSUPPORTREGION RECTANGLE\n");
    EXPECT_EQ(after.exitCode, 1);
    EXPECT_EQ(after.standardError.rfind("*** Error *** SupportRegion : ", 0), 0u);
}

TEST(ApproximationCommands, LowerCaseRectangleIsASphereWithAWarning) {
    ProgramRun run = runMacros("MLS\nSUPPORTREGION rectangle\nINFLE FIX 1 2 3\n");
    EXPECT_EQ(run.exitCode, 0);
    // One size is read; 2 and 3 are then read as commands.
    EXPECT_EQ(run.standardError,
              "*** Warning *** SupportRegion : unknown support region rectangle, spheres are used\n"
              "*** Warning *** Unknown keyword 2\n     File name   : in.dat\n     Line number : 16\n\n"
              "*** Warning *** Unknown keyword 3\n     File name   : in.dat\n     Line number : 16\n\n"
              "*** Note *** No analysis ran (no CALTIME was carried out): the macro commands gave 2 warnings, "
              "the first in line 16\n");
}

TEST(ApproximationCommands, PointSets) {
    EXPECT_EQ(runMacros("POINT LINE\nPOINT EVPOINT\n").exitCode, 0);

    ProgramRun bad = runMacros("POINT CIRCLE\n");
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_EQ(bad.standardError,
              "*** Error *** Point : Invalid parameter !\n              Line Number : 14\n");

    ProgramRun missing = runMacros("POINT INPUT Points.txt\n");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.standardError, "*** Error ***: File Points.txt not found !\nProgram stops.\n");

    ProgramRun read = runMacros("POINT INPUT Points.txt\n", {{"Points.txt", "2\n0 0 0 steel 1.5\n1 1 1 steel 2\n"}});
    EXPECT_EQ(read.exitCode, 0);
    EXPECT_EQ(read.standardError, "");

    ProgramRun unknown = runMacros("POINT INPUT p.txt\n", {{"p.txt", "1\n0 0 0 iron 1.5\n"}});
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_NE(unknown.standardError.find("Material iron has not been defined"), std::string::npos);
}

}  // namespace
