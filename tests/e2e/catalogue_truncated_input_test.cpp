// Input files that stop early, at every section: the reader reports the end
// of the file and the run ends with exit code 1, never a hang or a crash.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue_cases.h"

namespace {

using namespace catalogue;

const std::string kWall = "GRIDWALL 1\nPLANE Z -1 0.0 0.0 1.0e5\nENDGRID\n";
const std::string kFullRun = withBatch(kCubeModel, kApprox + "DYNAMICS PIEFG\n" + kWall + kFall);

// The first lineCount lines of text.
std::string firstLines(const std::string& text, int lineCount) {
    std::size_t end = 0;
    for (int i = 0; i < lineCount; ++i) end = text.find('\n', end) + 1;
    return text.substr(0, end);
}

// text up to (not including) the first occurrence of marker.
std::string upTo(const std::string& text, const std::string& marker) {
    const std::size_t at = text.find(marker);
    EXPECT_NE(at, std::string::npos) << marker;
    return text.substr(0, at);
}

Case endOfFile(const char* name, const std::string& input) { return {name, input, Stream::kError, kEndOfFile, 1}; }

std::vector<Case> sectionCases() {
    return {
        endOfFile("EmptyFile", ""),
        endOfFile("OnlyTheResultLine", "RESULT out.res\n"),
        endOfFile("OnlyCommentsAndBlankLines", "# nothing here\n\n   \n"),
        endOfFile("InsideANodeLineWithoutNewline", upTo(kFullRun, "5 0 0 1 0\n") + "5 0 0"),
        endOfFile("NoTopLevelKeyword", upTo(kFullRun, "BATCH")),
        endOfFile("BatchBlockWithoutEnd", upTo(kFullRun, "BASIS")),
        endOfFile("GridWallWithoutEndgrid", upTo(kFullRun, "ENDGRID")),
        // The run itself completes; only the closing keywords are missing.
        {"AfterCalTime", upTo(kFullRun, "END\nEND\n"), Stream::kOutput, "TIME STEP = 6 ", 1},
        endOfFile("WithoutTopLevelEnd", upTo(kFullRun, "END\nEND\n") + "END\n"),
    };
}

TEST(CatalogueTruncatedInput, EverySectionReportsTheEndOfTheFile) { runCases(sectionCases()); }

// Every cut at a line boundary short of the whole file.
TEST(CatalogueTruncatedInput, EveryLinePrefixEndsWithTheEndOfFileError) {
    const int lines = static_cast<int>(std::count(kFullRun.begin(), kFullRun.end(), '\n'));
    for (int kept = 0; kept < lines; ++kept) {
        SCOPED_TRACE("lines kept: " + std::to_string(kept));
        const testing_support::ProgramRun run = runCase(endOfFile("prefix", firstLines(kFullRun, kept)));
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_NE(run.standardError.find(kEndOfFile), std::string::npos) << run.standardError;
    }
}

}  // namespace
