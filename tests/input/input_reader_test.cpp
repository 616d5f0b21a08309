// What the reader gives the code that reads fields; how it splits lines, skips
// comments and cuts overlong input is in tests/e2e/data/cases/reader.cases.
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

TEST(InputReader, SwitchingSourceKeepsFieldsAndFilePosition) {
    ReaderOn in("F1 F2\nF3\n", "C1\n");
    EXPECT_EQ(in.reader.readWord(), "F1");
    in.reader.consoleMode = true;
    EXPECT_EQ(in.reader.readWord(), "F2");  // left on the current line
    EXPECT_EQ(in.reader.readWord(), "C1");
    in.reader.consoleMode = false;
    EXPECT_EQ(in.reader.readWord(), "F3");
}

}  // namespace
}  // namespace zelk
