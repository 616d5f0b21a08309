#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "input/fatal_exit.h"
#include "input/input_reader.h"

namespace zelk {
namespace {

// A reader over a temporary input file, with its console and diagnostics in memory.
class ReaderOn {
public:
    explicit ReaderOn(const std::string& text, const std::string& consoleText = "") : console(consoleText) {
        char name[] = "/tmp/zelk-reader-XXXXXX";
        int fd = mkstemp(name);
        EXPECT_GE(fd, 0);
        close(fd);
        path = name;
        std::ofstream(path) << text;
        reader.open(path);
    }
    ~ReaderOn() { std::remove(path.c_str()); }

    std::string path;
    std::istringstream console;
    std::ostringstream diagnostics;
    InputReader reader{console, diagnostics};
};

std::string trailer(const std::string& file, int line) {
    return "     File name   : " + file + "\n     Line number : " + std::to_string(line) + "\n\n";
}

// Runs of separators are one; carriage returns are dropped; a line gives at most twelve fields.
TEST(InputReader, SplitsFieldsAtRunsOfSeparatorsAndKeepsTwelve) {
    ReaderOn in("NODE,1;2  3\n1,,2\nBATCH\r\n1 2 3 4 5 6 7 8 9 10 11 12 13 14\n99\n");
    EXPECT_EQ(in.reader.readWord(), "NODE");
    for (int expected : {1, 2, 3, 1, 2}) EXPECT_EQ(in.reader.readInt(), expected);
    EXPECT_EQ(in.reader.lineNumber(), 2);
    EXPECT_EQ(in.reader.readWord(), "BATCH");
    for (int expected = 1; expected <= 12; ++expected) EXPECT_EQ(in.reader.readInt(), expected);
    EXPECT_EQ(in.reader.readInt(), 99);
}

TEST(InputReader, CommentsAndBlankLinesAreSkippedButCounted) {
    ReaderOn in("# a comment\n   \n% another\n1 2 # 3 4\n5 % 6\nword\n");
    EXPECT_EQ(in.reader.readInt(), 1);
    EXPECT_EQ(in.reader.lineNumber(), 4);
    EXPECT_EQ(in.reader.echoLine(), "1 2 ");
    EXPECT_EQ(in.reader.readInt(), 2);
    EXPECT_EQ(in.reader.readInt(), 5);
    EXPECT_EQ(in.reader.fieldsLeft(), 0);
    EXPECT_EQ(in.reader.readKeyword(TopKeywords), -1);
    EXPECT_EQ(in.diagnostics.str(), "*** Warning *** Unknown keyword word\n" + trailer(in.path, 6));
}

TEST(InputReader, NumbersOnAStartedLineAreNotTested) {
    ReaderOn in("12 abc 3.5x -\n");
    EXPECT_EQ(in.reader.readInt(), 12);
    EXPECT_EQ(in.reader.readInt(), 0);
    EXPECT_DOUBLE_EQ(in.reader.readReal(), 3.5);
    EXPECT_DOUBLE_EQ(in.reader.readReal(), 0.0);
    EXPECT_EQ(in.diagnostics.str(), "");
}

TEST(InputReader, NonNumericFirstFieldSkipsTheWholeLine) {
    // An exponent is not numeric at the start of a line, but converts on a started one.
    ReaderOn in("abc 12\n\n1e5\n2.5 7.25e1\n");
    EXPECT_DOUBLE_EQ(in.reader.readReal(), 2.5);
    EXPECT_DOUBLE_EQ(in.reader.readReal(), 72.5);
    EXPECT_EQ(in.diagnostics.str(), " *** Warning *** Non Numeric Field abc\n" + trailer(in.path, 1) +
                                        " *** Warning *** Non Numeric Field 1e5\n" + trailer(in.path, 3));
}

TEST(InputReader, UnreadWordNeverCrossesALine) {
    ReaderOn in("A B\nC\n");
    EXPECT_EQ(in.reader.readWord(), "A");
    in.reader.unreadWord();
    EXPECT_EQ(in.reader.readWord(), "A");
    EXPECT_EQ(in.reader.readWord(), "B");
    EXPECT_EQ(in.reader.readWord(), "C");
    in.reader.unreadWord();
    in.reader.unreadWord();  // already at field 0: nothing happens
    EXPECT_EQ(in.reader.readWord(), "C");
}

TEST(InputReader, RestOfLineJoinsFieldsWithATrailingBlank) {
    ReaderOn in("TITLE My,first  model\nnext line\n");
    EXPECT_EQ(in.reader.readWord(), "TITLE");
    EXPECT_EQ(in.reader.readRestOfLine(), "My first model ");
    EXPECT_EQ(in.reader.readRestOfLine(), "next line ");
}

// (The end of console input and the console's warnings without a location are
// checked by the end-to-end runs.)
TEST(InputReader, EndOfFileIsFatalAndNamesTheFile) {
    ReaderOn in("ONE\n");
    EXPECT_EQ(in.reader.readWord(), "ONE");
    EXPECT_THROW(in.reader.readWord(), FatalExit);
    EXPECT_EQ(in.diagnostics.str(), "*** Error ***: In reading file " + in.path + " : End of file\n");
}

TEST(InputReader, SwitchingSourceKeepsFieldsAndFilePosition) {
    ReaderOn in("F1 F2\nF3\n", "C1\n");
    EXPECT_EQ(in.reader.readWord(), "F1");
    in.reader.consoleMode = true;
    EXPECT_EQ(in.reader.readWord(), "F2");  // left on the current line
    EXPECT_EQ(in.reader.readWord(), "C1");
    in.reader.consoleMode = false;
    EXPECT_EQ(in.reader.readWord(), "F3");
}

TEST(InputReader, OverlongLinesAndFieldsAreCutWithAWarning) {
    std::string longField(40, 'x');
    std::string longLine = "A " + std::string(300, 'y');
    ReaderOn in(longField + " 5\n" + longLine + "\n");
    EXPECT_EQ(in.reader.readWord(), std::string(29, 'x'));
    EXPECT_EQ(in.reader.readInt(), 5);
    EXPECT_EQ(in.reader.readWord(), "A");
    EXPECT_EQ(in.reader.echoLine().size(), 255u);
    EXPECT_EQ(in.diagnostics.str(),
              "*** Warning *** Field longer than 29 characters cut to " + std::string(29, 'x') + "\n" +
                  trailer(in.path, 1) + "*** Warning *** Line longer than 255 characters, the rest is ignored\n" +
                  trailer(in.path, 2) + "*** Warning *** Field longer than 29 characters cut to " +
                  std::string(29, 'y') + "\n" + trailer(in.path, 2));
}

}  // namespace
}  // namespace zelk
