// The analysis commands of a macro block, end to end, over the model of the
// bundled elastic bar with macro blocks of each test's own.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "program_run.h"

namespace {

using testing_support::ProgramRun;
using testing_support::readWholeFile;
using testing_support::runProgram;

// The bar model with the given macro lines as its one BATCH block.
std::string barWith(const std::string& macros) {
    const std::string bar = readWholeFile(EXAMPLES_DIR "/bar.dat");
    const std::size_t batch = bar.find("\nBATCH\n");
    EXPECT_NE(batch, std::string::npos);
    return bar.substr(0, batch) + "\nBATCH\n" + macros + "END\nEND\n";
}

ProgramRun run(const std::string& macros) { return runProgram(ZELK_PROGRAM, {"in.dat"}, {{"in.dat", barWith(macros)}}); }

const std::string kApprox = "MLS\nBASIS LINE\nINFLE SEL 18\n";
const std::string kWall = "GRIDWALL 1\nPLANE Z -1 0.0 0.0 1.0e5\nENDGRID\n";

int lineCount(const std::string& text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')); }

TEST(AnalysisCommands, WithoutDynamicsTheyReadNothing) {
    const ProgramRun r = run("CALTIME 1.0\nSTEPTIME CONST 0.5\nINITV 1 2 3\nGRIDWALL 1\n");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.standardOutput.find("dyna not define!!!\n"), 0u);
    std::size_t count = 0;
    for (std::size_t at = 0; (at = r.standardOutput.find("dyna not define!!!\n", at)) != std::string::npos; ++at)
        ++count;
    EXPECT_EQ(count, 4u);
    EXPECT_NE(r.standardError.find("Unknown keyword"), std::string::npos);  // 1.0 read as a command
    EXPECT_FALSE(r.hasFile("End_y.txt"));
}

TEST(AnalysisCommands, DynamicsNeedsAnApproximationAndAKnownScheme) {
    ProgramRun r = run("DYNAMICS EFG\n");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.standardError, "*** Error *** Dynamics : APPROX must be defined first !\n");
    r = run(kApprox + "DYNAMICS FEM\n");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.standardOutput, "Meshless type error!!!");
}

TEST(AnalysisCommands, GridWallNeedsExactlyItsCountOfWalls) {
    ProgramRun r = run(kApprox + "DYNAMICS EFG\nGRIDWALL 1\nPLANE Z -1 0 0 1\nPLANE X 1 0 0 1\nENDGRID\n");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.standardOutput.find("*** Error *** GridWall : more wall lines than the count of 1"),
              std::string::npos);
    r = run(kApprox + "DYNAMICS EFG\nGRIDWALL 2\nCYLINDER Z 1 0.1 0.5 1 0 1\nENDGRID\n");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.standardOutput.find("1 wall lines before ENDGRID for a count of 2"), std::string::npos);
    r = run(kApprox + "DYNAMICS EFG\nGRIDWALL 1\nWALL\nPLANE z 1 0.5 0 1\nENDGRID\n");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_NE(r.standardError.find("Unknown keyword"), std::string::npos);
}

TEST(AnalysisCommands, SecondCalTimeContinuesFromTheFirst) {
    const ProgramRun r =
        run(kApprox + "DYNAMICS EFG\nSTEPTIME CONST 0.002\nINITV 0 0 -10\n" + kWall + "CALTIME 2e-5\nCALTIME 1e-6\n");
    ASSERT_EQ(r.exitCode, 0);
    std::istringstream history(r.file("End_y.txt"));
    double t, dt, s, ux, uy, uz;
    history >> t >> dt >> s >> ux >> uy >> uz;
    EXPECT_NEAR(t, dt, 1e-15);       // time restarts
    EXPECT_LT(uz, -1e-4);            // but the bar is where the first run left it
    EXPECT_LT(s, -1e8);              // and still compressed
    EXPECT_EQ(lineCount(r.file("End_y.txt")), 3);
}

TEST(AnalysisCommands, PiefgRejectsTooFewEvaluationPointsButEfgRuns) {
    // Only the first 98 nodes get evaluation points.
    std::string text = barWith(kApprox + "DYNAMICS PIEFG\n");
    text.replace(text.find("NUMEVPOINT 99"), 13, "NUMEVPOINT 98");
    text.replace(text.find("COPY ALL steel 1.0"), 18, "COPY FROMTO 1 98 1 steel 1.0");
    ProgramRun r = runProgram(ZELK_PROGRAM, {"in.dat"}, {{"in.dat", text}});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.standardOutput.find("*** Error *** Dynamics : PIEFG needs at least NUMNP = 99 evaluation points"),
              std::string::npos)
        << r.standardOutput << r.standardError;
    text.replace(text.find("DYNAMICS PIEFG"), 14, "DYNAMICS EFG");
    r = runProgram(ZELK_PROGRAM, {"in.dat"}, {{"in.dat", text}});
    EXPECT_EQ(r.exitCode, 0) << r.standardOutput;
}

}  // namespace
