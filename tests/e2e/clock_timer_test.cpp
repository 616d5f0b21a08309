// TIMER end to end: printed times (its messages are in data/cases/timer.cases).
#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "program_run.h"

namespace {

using testing_support::ProgramRun;
using testing_support::runProgram;

ProgramRun runBatch(const std::string& commands) {
    return runProgram(ZELK_PROGRAM, {"in.dat"}, {{"in.dat", "END\nBATCH\n" + commands + "END\nEND\n"}});
}

// The seconds of every "Elapsed Time" line, in order; fails on any other line.
std::vector<double> elapsedTimes(const std::string& output) {
    static const std::regex line("Elapsed Time ([0-9.e+-]+) sec\\.");
    std::vector<double> seconds;
    std::istringstream lines(output);
    for (std::string text; std::getline(lines, text);) {
        std::smatch match;
        if (std::regex_match(text, match, line))
            seconds.push_back(std::stod(match[1]));
        else
            ADD_FAILURE() << "unexpected line: " << text;
    }
    return seconds;
}

TEST(Timer, PrintsSecondsOnStandardOutputAndInTheResultFile) {
    ProgramRun run = runBatch(
        "TIMER CLEAR\nTIMER PRINT\nTIMER STOP\nTIMER STOP\nTIMER RESUME\nTIMER PRINT\nTIMER START\n"
        "TIMER PRINT\nTIMER CLEAR\nTIMER PRINT\n");
    ASSERT_EQ(run.exitCode, 0) << run.standardError;
    EXPECT_EQ(run.standardError, "");
    EXPECT_EQ(run.file("ZELK.res"), run.standardOutput);
    const std::vector<double> seconds = elapsedTimes(run.standardOutput);
    ASSERT_EQ(seconds.size(), 4u);
    // A run this short takes well under a second of process time.
    for (double value : seconds) {
        EXPECT_GE(value, 0.0);
        EXPECT_LT(value, 1.0);
    }
}

}  // namespace
