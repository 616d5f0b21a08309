// The line and field reader through which every input of the solver passes.
//
// Lines come from the input file or, while consoleMode is set, from the
// console. A '#' or '%' starts a comment; fields are separated by runs of
// blanks, tabs, commas and semicolons. Position lives only here, so a reader
// of one keyword that stops mid-line leaves the rest of the line to the next.
//
// Limits kept from the data layout: a line holds at most kMaxLineLength
// characters, a field at most kMaxFieldLength, a line at most kMaxFields
// fields. Longer lines and fields are cut with a warning; further fields are
// dropped.
#pragma once

#include <array>
#include <fstream>
#include <iosfwd>
#include <string>

#include "input/keyword_tables.h"

namespace zelk {

class InputReader {
public:
    static constexpr int kMaxLineLength = 255;
    static constexpr int kMaxFieldLength = 29;
    static constexpr int kMaxFields = 12;

    // console: where lines come from while consoleMode is set; errors and
    // warnings go to diagnostics.
    explicit InputReader(std::istream& console, std::ostream& diagnostics);
    InputReader();
    InputReader(const InputReader&) = delete;
    InputReader& operator=(const InputReader&) = delete;

    // Opens the input file; a file that cannot be opened is fatal (exit 1).
    InputReader& open(const std::string& fileName);

    // Next field, crossing to following lines as needed.
    const std::string& readWord();
    // Next field as an integer / a double (see readNumberField).
    int readInt();
    double readReal();
    // Next field looked up in the table: its index, or -1 after a warning.
    int readKeyword(const KeywordTable& table);
    // Gives back the last field taken from the current line (never crosses lines).
    void unreadWord();
    // The remaining fields of the current line, each followed by one blank.
    const std::string& readRestOfLine();
    // Next field, upper-cased (a copy: the current word is left as read).
    std::string readUpperWord();
    // The last line read, comment removed.
    const std::string& echoLine() const { return echoLine_; }

    // "File name" / "Line number" trailer and an empty line on diagnostics.
    void printLocation() const;
    // The trailer, unless the console is the source (it would name the file wrongly).
    void printLocationUnlessConsole() const;
    // "*** Error *** Invalid keyword <word>" and the end of the run (exit 1).
    [[noreturn]] void invalidKeyword(const std::string& word) const;

    int lineNumber() const { return lineNumber_; }
    const std::string& fileName() const { return fileName_; }
    int fieldsLeft() const { return fieldsLeft_; }
    std::ostream& diagnostics() const { return diagnostics_; }

    // Set: lines come from the console; clear: from the input file.
    bool consoleMode = false;

private:
    int readLine();
    void ensureFields();
    const std::string& takeField();
    template <typename Number>
    Number readNumber(Number (*convert)(const std::string&, bool&));
    [[noreturn]] void endOfInput() const;

    std::string currentWord_;
    std::string echoLine_;
    std::array<std::string, kMaxFields> fields_;
    int lineNumber_ = 0;
    int fieldIndex_ = 0;
    int fieldsLeft_ = 0;
    std::string fileName_;
    std::ifstream inputFile_;
    std::istream& console_;
    std::ostream& diagnostics_;
};

// True for texts of digits and at most one '.', for the empty text, and for
// any text that begins with '-'.
bool isNumeric(const std::string& text);

// Upper-cases every letter a to z in place.
void toUpperText(std::string& text);

// Index of the first entry whose required prefix agrees with the word
// (case-insensitively, on the prefix's positions only), or -1.
int matchKeyword(const KeywordTable& table, const std::string& word);

}  // namespace zelk
