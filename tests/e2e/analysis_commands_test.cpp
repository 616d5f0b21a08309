// A second CALTIME continues the bar of the bundled example from where the
// first left it (the analysis commands' messages are in data/cases).
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

}  // namespace
