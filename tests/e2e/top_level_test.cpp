// The solver's command line, result file and top-level loop, run end to end.
#include <gtest/gtest.h>

#include "program_run.h"

namespace {

using testing_support::ProgramRun;
using testing_support::runProgram;

ProgramRun runInput(const std::string& input, const std::string& console = "") {
    return runProgram(ZELK_PROGRAM, {"in.dat"}, {{"in.dat", input}}, console);
}

TEST(CommandLine, NeedsExactlyOneArgument) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{}, {"a.dat", "b.dat"}}) {
        ProgramRun run = runProgram(ZELK_PROGRAM, args, {});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.standardError, "Usage : ZELK InputFileName \n");
        EXPECT_TRUE(run.files.empty());
    }
}

TEST(CommandLine, MissingInputFile) {
    ProgramRun run = runProgram(ZELK_PROGRAM, {"none.dat"}, {});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.standardError, "*** Error ***: File none.dat not found !\nProgram stops.\n");
    EXPECT_TRUE(run.files.empty());
}

TEST(ResultFile, DefaultNameWhenTheFirstWordIsAModelKeyword) {
    ProgramRun run = runInput("END\nEND\n");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.standardError, "");
    EXPECT_TRUE(run.hasFile("ZELK.res"));
    EXPECT_EQ(run.file("ZELK.res"), "");
}

TEST(ResultFile, NamedOnTheSameLineOrTheNext) {
    for (const char* header : {"RESULT out.txt\n", "result\nout.txt\n", "Resultfile out.txt\n"}) {
        ProgramRun run = runInput(std::string(header) + "END\nECHO ON\nEND\n");
        EXPECT_EQ(run.exitCode, 0) << header;
        EXPECT_FALSE(run.hasFile("ZELK.res")) << header;
        EXPECT_EQ(run.file("out.txt"), "END\n") << header;
    }
}

TEST(ResultFile, ThatCannotBeOpenedIsFatalBeforeTheModel) {
    ProgramRun run = runInput("RESULT missing/dir/out.txt\nBOGUS\nEND\nEND\n");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.standardError, "*** Error ***: Result file missing/dir/out.txt cannot be opened\n");
}

TEST(Echo, OnlyUpperCaseOnTurnsItOnAndTheOffLineIsEchoed) {
    ProgramRun run = runInput("END\nECHO on\nBOGUS\nECHO ON\nBATCH\nEND\nECHO OFF\nBATCH\nEND\nEND\n");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.file("ZELK.res"), "BATCH\nEND\nECHO OFF\n");
    EXPECT_EQ(run.standardOutput, "BATCH\nEND\nECHO OFF\n");
    EXPECT_EQ(run.standardError,
              "*** Warning *** Unknown keyword BOGUS\n     File name   : in.dat\n     Line number : 3\n\n");
}

TEST(TopLevel, StopEndsAtOnceAndKeepsWhatWasWritten) {
    ProgramRun run = runInput("END\nECHO ON\nBATCH\nEND\nSTOP\nnever read\n");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.file("ZELK.res"), "BATCH\nEND\nSTOP\n");
}

TEST(TopLevel, EndOfFileWhereAKeywordIsExpected) {
    ProgramRun run = runInput("END\nECHO ON\nBATCH\nEND\n");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.standardError, "*** Error ***: In reading file in.dat : End of file\n");
    EXPECT_EQ(run.file("ZELK.res"), "BATCH\nEND\n");  // nothing written before the error is lost
}

TEST(TopLevel, ConsoleModePersistsAfterAnInteractiveBlock) {
    // After the interactive block the top level reads the console; BATCH there
    // resumes the file where it stopped.
    ProgramRun run = runInput("END\nINTERACTIVE\nEND\nEND\n", "END\nBATCH\nEND\n");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.standardOutput, "RUN :   ZELK :  ");
    EXPECT_EQ(run.standardError, "");
}

}  // namespace
