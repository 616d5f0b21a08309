// TIMER end to end: printed times, the invalid-word warning and each clock error.
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

TEST(Timer, InvalidWordIsReadAgainAsTheNextCommand) {
    ProgramRun run = runBatch("TIMER LAP\nTIMER start\n");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.standardOutput,
              "*** Warning *** Timer : Invalid parameter (LAP).\n"
              "*** Warning *** Timer : Invalid parameter (start).\n");
    EXPECT_EQ(run.standardError,
              "*** Warning *** Unknown keyword LAP\n     File name   : in.dat\n     Line number : 3\n\n"
              "*** Warning *** Unknown keyword start\n     File name   : in.dat\n     Line number : 4\n\n"
              "*** Note *** No analysis ran (no CALTIME was carried out): the macro commands gave 2 warnings, "
              "the first in line 3\n");

    // TIMER END gives END back, which ends the block.
    ProgramRun ended = runProgram(ZELK_PROGRAM, {"in.dat"}, {{"in.dat", "END\nBATCH\nTIMER END\nEND\n"}});
    EXPECT_EQ(ended.exitCode, 0);
}

TEST(Timer, MisuseEndsTheRunWithExitCodeOne) {
    struct Case {
        const char* commands;
        const char* message;
    };
    const Case cases[] = {
        {"TIMER STOP\n", "\n*** Error *** In Clock :: Stop() : Method Start() must have been called before.\n"},
        {"TIMER RESUME\n", "\n*** Error *** In Clock :: resume() : Method Start() must have been called before.\n"},
        {"TIMER START\nTIMER RESUME\n",
         "\n*** Error *** In Clock::Resume() Method Stop() must have been called before.\nCall method 'Start()'\n"},
        {"TIMER CLEAR\nTIMER STOP\nTIMER CLEAR\nTIMER RESUME\n",
         "\n*** Error *** In Clock::Resume() Method Stop() must have been called before.\nCall method 'Start()'\n"},
        {"TIMER PRINT\n",
         "\n*** Error *** In Clock :: ElapsedTime() : Method Start() must have been called before.\n"},
    };
    for (const Case& misuse : cases) {
        ProgramRun run = runProgram(ZELK_PROGRAM, {"in.dat"},
                                    {{"in.dat", std::string("END\nECHO ON\nBATCH\n") + misuse.commands + "END\nEND\n"}});
        EXPECT_EQ(run.exitCode, 1) << misuse.commands;
        EXPECT_EQ(run.standardError, misuse.message) << misuse.commands;
        // What was echoed before the error reaches the result file.
        EXPECT_EQ(run.file("ZELK.res"), std::string("BATCH\n") + misuse.commands) << misuse.commands;
    }
}

}  // namespace
