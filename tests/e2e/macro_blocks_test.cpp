// Macro blocks run end to end: where commands come from, prompts, echo, and
// the commands that need nothing beyond the command driver.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "input/keyword_tables.h"
#include "program_run.h"

namespace {

using testing_support::ProgramRun;
using testing_support::runProgram;

// An input file with an empty model section and the given top-level text.
ProgramRun runBlocks(const std::string& topLevel, const std::string& console = "") {
    return runProgram(ZELK_PROGRAM, {"in.dat"}, {{"in.dat", "END\n" + topLevel}}, console);
}

TEST(MacroBlock, BatchBlockReadsTheFileAndInteractiveBlockTheConsole) {
    ProgramRun batch = runBlocks("BATCH\nPRINT from  the,file\nEND\nEND\n", "PRINT never\n");
    EXPECT_EQ(batch.exitCode, 0);
    EXPECT_EQ(batch.standardOutput, "from the file \n");  // fields joined, each followed by a blank
    EXPECT_EQ(batch.standardError, "");

    ProgramRun interactive = runBlocks("INTERACTIVE\nPRINT never\n", "PRINT typed\n\nEND\nEND\n");
    EXPECT_EQ(interactive.exitCode, 0);
    EXPECT_EQ(interactive.standardOutput, "RUN :   typed \nRUN :   ZELK :  ");
    EXPECT_EQ(interactive.standardError, "");
}

TEST(MacroBlock, BatchTypedAtTheConsoleResumesTheFileWhereItStopped) {
    ProgramRun run = runBlocks("INTERACTIVE\nPRINT second\nEND\nEND\n", "PRINT first\nEND\nBATCH\n");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.standardOutput, "RUN :   first \nRUN :   ZELK :  second \n");
    EXPECT_EQ(run.standardError, "");
}

TEST(MacroBlock, EndOfStandardInputInsideAnInteractiveBlockEndsTheRun) {
    ProgramRun run = runBlocks("ECHO ON\nINTERACTIVE\n", "PRINT last\n");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.standardOutput, "INTERACTIVE\nRUN :   PRINT last\nlast \nRUN :   ");
    EXPECT_EQ(run.standardError, "*** Error ***: In reading standard input : End of file\n");
    EXPECT_EQ(run.file("ZELK.res"), "INTERACTIVE\nPRINT last\n");
}

TEST(MacroBlock, EchoRepeatsEveryCommandLineUnknownWordsIncluded) {
    // FOO and bar are two unknown commands of one line: the line is echoed for each.
    ProgramRun run = runBlocks("ECHO ON\nBATCH\nPRINT a\n# comment\nFOO bar\nEND\nEND\n");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.file("ZELK.res"), "BATCH\nPRINT a\nFOO bar\nFOO bar\nEND\nEND\n");
    EXPECT_EQ(run.standardOutput, "BATCH\nPRINT a\na \nFOO bar\nFOO bar\nEND\nEND\n");
    EXPECT_EQ(run.standardError,
              "*** Warning *** Unknown keyword FOO\n     File name   : in.dat\n     Line number : 6\n\n"
              "*** Warning *** Unknown keyword bar\n     File name   : in.dat\n     Line number : 6\n\n");
}

TEST(MacroBlock, UnknownWordsTypedAtTheConsoleGiveNoFileLocation) {
    ProgramRun run = runBlocks("INTERACTIVE\n", "NOPE\nEND\nEND\n");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.standardError, "*** Warning *** Unknown keyword NOPE\n");
}

TEST(MacroBlock, SettingsOutliveTheBlock) {
    // The clock started in one block is still running in the next.
    ProgramRun run = runBlocks("BATCH\nTIMER START\nEND\nINTERACTIVE\n", "TIMER STOP\nEND\nEND\n");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.standardError, "");
}

TEST(MacroBlock, HelpListsEveryCommandPrefixEightToALine) {
    ProgramRun run = runBlocks("BATCH\nHELP\nEND\nEND\n");
    ASSERT_EQ(run.exitCode, 0);
    const std::string heading = "\n\nCurrent available MACRO commands :\n";
    ASSERT_EQ(run.standardOutput.substr(0, heading.size()), heading);
    ASSERT_EQ(run.standardOutput.substr(run.standardOutput.size() - 2), "\n\n");
    std::istringstream listing(run.standardOutput.substr(heading.size()));

    std::vector<std::string> lines;
    for (std::string line; std::getline(listing, line);) lines.push_back(line);
    // 44 names: five full lines of 8, a sixth of 4, then the closing empty line.
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0], "END      CHEC     LEAS     DIRE     TANG     GEIN     SOLV     OUTP     ");
    EXPECT_EQ(lines[6], "");
    int index = 0;
    for (int row = 0; row < 6; ++row) {
        const std::size_t names = row < 5 ? 8 : 4;
        ASSERT_EQ(lines[row].size(), names * 9) << "line " << row;  // every prefix here is 8 or shorter
        for (std::size_t column = 0; column < names; ++column, ++index) {
            std::string name = lines[row].substr(column * 9, 9);
            name.erase(name.find_last_not_of(' ') + 1);
            EXPECT_EQ(name, zelk::MacroKeywords.prefix(index));
        }
    }
    EXPECT_EQ(index, zelk::MacroKeywords.count());
}

TEST(MacroBlock, OptionalWordsThatAreNotAChoiceAreReadAsCommands) {
    // CHECK and TANGENT give back a word that is not theirs; TANGENT END ends the block.
    ProgramRun run = runBlocks(
        "BATCH\nCHECK PRINT one\nCHECK disp PRINT two\nTANGENT DOMA PRINT three\nTANGENT END\nEND\n");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.standardOutput, "one \ntwo \nthree \n");
    EXPECT_EQ(run.standardError, "");
}

TEST(MacroBlock, ArgumentsOfTheSimpleCommandsAreConsumed) {
    ProgramRun run = runBlocks(
        "BATCH\nSOLVE NORM EXACT PENALTY CURVE RBF\nDERIVATIV xyz\nRBFTYPE mq 0.5\nRBFTYPE tps\n"
        "BAND off LEAST DIRECT EFGM GCMM\nPRINT\nnext line\nEND\nEND\n");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.standardOutput, "next line \n");
    EXPECT_EQ(run.standardError, "");
}

TEST(MacroBlock, PauseAtTheEndOfStandardInputGoesOn) {
    ProgramRun run = runBlocks("BATCH\nPAUSE\nPAUSE\nPRINT after\nEND\nEND\n");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.standardOutput, "Press any key to continue... Press any key to continue... after \n");
}

TEST(MacroBlock, PauseTakesOneKeyFromTheConsole) {
    ProgramRun run = runBlocks("INTERACTIVE\n", "PAUSE\n\nEND\nEND\n");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.standardOutput, "RUN :   Press any key to continue... RUN :   ZELK :  ");
    EXPECT_EQ(run.standardError, "");
}

}  // namespace
