// The solver's command line, result file, top-level loop and macro blocks, run
// end to end: where commands come from, prompts, echo and the commands that
// need nothing beyond the command driver.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "input/keyword_tables.h"
#include "program_run.h"

namespace {

using testing_support::ProgramRun;
using testing_support::runProgram;

ProgramRun runInput(const std::string& input, const std::string& console = "") {
    return runProgram(ZELK_PROGRAM, {"in.dat"}, {{"in.dat", input}}, console);
}

TEST(CommandLine, NeedsExactlyOneArgumentAndAnInputFile) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{}, {"a.dat", "b.dat"}}) {
        ProgramRun run = runProgram(ZELK_PROGRAM, args, {});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.standardError, "Usage : ZELK InputFileName \n");
        EXPECT_TRUE(run.files.empty());
    }
    ProgramRun run = runProgram(ZELK_PROGRAM, {"none.dat"}, {});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.standardError, "*** Error ***: File none.dat not found !\nProgram stops.\n");
    EXPECT_TRUE(run.files.empty());
}

TEST(ResultFile, NamedOnTheSameLineOrTheNext) {
    for (const char* header : {"RESULT out.txt\n", "result\nout.txt\n", "Resultfile out.txt\n"}) {
        ProgramRun run = runInput(std::string(header) + "END\nECHO ON\nEND\n");
        EXPECT_EQ(run.exitCode, 0) << header;
        EXPECT_FALSE(run.hasFile("ZELK.res")) << header;
        EXPECT_EQ(run.file("out.txt"), "END\n") << header;
    }
}

// A whole run: in.dat, the console text, and what the run must give; a null
// expectation is not checked.
struct RunCase {
    const char* name;
    std::string input;
    std::string console;
    int exitCode;
    const char* standardOutput;
    const char* standardError;
    const char* resultFile;  // ZELK.res
};

void expectIfGiven(const char* expected, const std::string& actual, const char* what) {
    if (expected != nullptr) {
        EXPECT_EQ(actual, expected) << what;
    }
}

void runCases(const std::vector<RunCase>& cases) {
    for (const RunCase& c : cases) {
        SCOPED_TRACE(c.name);
        const ProgramRun run = runInput(c.input, c.console);
        EXPECT_EQ(run.exitCode, c.exitCode);
        expectIfGiven(c.standardOutput, run.standardOutput, "standard output");
        expectIfGiven(c.standardError, run.standardError, "standard error");
        expectIfGiven(c.resultFile, c.resultFile ? run.file("ZELK.res") : "", "ZELK.res");
    }
}

const char* const kUnknownFooBar =
    "*** Warning *** Unknown keyword FOO\n     File name   : in.dat\n     Line number : 6\n\n"
    "*** Warning *** Unknown keyword bar\n     File name   : in.dat\n     Line number : 6\n\n"
    "*** Note *** No analysis ran (no CALTIME was carried out): the macro commands gave "
    "2 warnings, the first in line 6\n";

TEST(TopLevel, ResultFileEchoStopAndEndOfFile) {
    runCases({
        // The first word is a model keyword: the default name, an empty file.
        {"DefaultResultFile", "END\nEND\n", "", 0, nullptr, "", ""},
        {"ResultFileThatCannotBeOpened", "RESULT missing/dir/out.txt\nBOGUS\nEND\nEND\n", "", 1, nullptr,
         "*** Error ***: Result file missing/dir/out.txt cannot be opened\n", nullptr},
        // Only upper-case ON turns echo on, and the OFF line is echoed.
        {"EchoOnAndOff", "END\nECHO on\nBOGUS\nECHO ON\nBATCH\nEND\nECHO OFF\nBATCH\nEND\nEND\n", "", 0,
         "BATCH\nEND\nECHO OFF\n",
         "*** Warning *** Unknown keyword BOGUS\n     File name   : in.dat\n     Line number : 3\n\n",
         "BATCH\nEND\nECHO OFF\n"},
        {"StopEndsAtOnce", "END\nECHO ON\nBATCH\nEND\nSTOP\nnever read\n", "", 0, nullptr, nullptr,
         "BATCH\nEND\nSTOP\n"},
        // Nothing written before the error is lost.
        {"EndOfFileWhereAKeywordIsExpected", "END\nECHO ON\nBATCH\nEND\n", "", 1, nullptr,
         "*** Error ***: In reading file in.dat : End of file\n", "BATCH\nEND\n"},
        // After an interactive block the top level reads the console; BATCH there resumes the file.
        {"ConsoleModePersists", "END\nINTERACTIVE\nEND\nEND\n", "END\nBATCH\nEND\n", 0, "RUN :   ZELK :  ", "",
         nullptr},
    });
}

TEST(MacroBlock, CommandSourcesPromptsAndEcho) {
    runCases({
        // Fields are joined, each followed by a blank.
        {"BatchReadsTheFile", "END\nBATCH\nPRINT from  the,file\nEND\nEND\n", "PRINT never\n", 0,
         "from the file \n", "", nullptr},
        {"InteractiveReadsTheConsole", "END\nINTERACTIVE\nPRINT never\n", "PRINT typed\n\nEND\nEND\n", 0,
         "RUN :   typed \nRUN :   ZELK :  ", "", nullptr},
        {"BatchTypedResumesTheFile", "END\nINTERACTIVE\nPRINT second\nEND\nEND\n", "PRINT first\nEND\nBATCH\n", 0,
         "RUN :   first \nRUN :   ZELK :  second \n", "", nullptr},
        {"EndOfStandardInputEndsTheRun", "END\nECHO ON\nINTERACTIVE\n", "PRINT last\n", 1,
         "INTERACTIVE\nRUN :   PRINT last\nlast \nRUN :   ",
         "*** Error ***: In reading standard input : End of file\n", "INTERACTIVE\nPRINT last\n"},
        // FOO and bar are two unknown commands of one line: the line is echoed for each.
        {"EchoRepeatsUnknownWords", "END\nECHO ON\nBATCH\nPRINT a\n# comment\nFOO bar\nEND\nEND\n", "", 0,
         "BATCH\nPRINT a\na \nFOO bar\nFOO bar\nEND\nEND\n", kUnknownFooBar,
         "BATCH\nPRINT a\nFOO bar\nFOO bar\nEND\nEND\n"},
        {"UnknownTypedWordHasNoLocation", "END\nINTERACTIVE\n", "NOPE\nEND\nEND\n", 0, nullptr,
         "*** Warning *** Unknown keyword NOPE\n*** Note *** No analysis ran (no CALTIME was carried out): the macro "
         "commands gave 1 warning, the first typed at the console\n", nullptr},
        // The clock started in one block is still running in the next.
        {"SettingsOutliveTheBlock", "END\nBATCH\nTIMER START\nEND\nINTERACTIVE\n", "TIMER STOP\nEND\nEND\n", 0,
         nullptr, "", nullptr},
    });
}

TEST(MacroBlock, ArgumentsOptionalWordsAndPause) {
    runCases({
        // CHECK and TANGENT give back a word that is not theirs; TANGENT END ends the block.
        {"OptionalWordsReadAsCommands",
         "END\nBATCH\nCHECK PRINT one\nCHECK disp PRINT two\nTANGENT DOMA PRINT three\nTANGENT END\nEND\n", "", 0,
         "one \ntwo \nthree \n", "", nullptr},
        {"ArgumentsOfSimpleCommandsConsumed",
         "END\nBATCH\nSOLVE NORM EXACT PENALTY CURVE RBF\nDERIVATIV xyz\nRBFTYPE mq 0.5\nRBFTYPE tps\n"
         "BAND off LEAST DIRECT EFGM GCMM\nPRINT\nnext line\nEND\nEND\n",
         "", 0, "next line \n", "", nullptr},
        {"PauseAtTheEndOfStandardInput", "END\nBATCH\nPAUSE\nPAUSE\nPRINT after\nEND\nEND\n", "", 0,
         "Press any key to continue... Press any key to continue... after \n", nullptr, nullptr},
        {"PauseTakesOneKey", "END\nINTERACTIVE\n", "PAUSE\n\nEND\nEND\n", 0,
         "RUN :   Press any key to continue... RUN :   ZELK :  ", "", nullptr},
    });
}

TEST(MacroBlock, HelpListsEveryCommandPrefixEightToALine) {
    ProgramRun run = runInput("END\nBATCH\nHELP\nEND\nEND\n");
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
    EXPECT_EQ(index, zelk::kHelpListedMacros);
}

}  // namespace
