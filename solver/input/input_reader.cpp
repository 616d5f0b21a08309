#include "input/input_reader.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <iostream>

#include "input/fatal_exit.h"
#include "input/keyword_suggestion.h"

namespace zelk {

namespace {

// Field separators. Tested character by character: a deck of a hundred
// thousand lines spends most of its reading time finding fields.
constexpr bool isSeparator(char c) { return c == ' ' || c == '\t' || c == ',' || c == ';'; }

// Length of the longest prefix of text (after leading blanks) that reads as a
// decimal number: optional sign, digits, and for reals a point and exponent.
// Returns 0 when no digit is found, so that the field converts to 0.
std::size_t decimalPrefixLength(const std::string& text, std::size_t start, bool real) {
    std::size_t pos = start;
    auto digitsFrom = [&](std::size_t& at) {
        std::size_t first = at;
        while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) ++at;
        return at - first;
    };
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
    std::size_t digits = digitsFrom(pos);
    if (real && pos < text.size() && text[pos] == '.') {
        ++pos;
        digits += digitsFrom(pos);
    }
    if (digits == 0) return 0;
    if (real && pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        std::size_t exponent = pos + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) ++exponent;
        if (digitsFrom(exponent) > 0) pos = exponent;
    }
    return pos - start;
}

std::size_t firstNonBlank(const std::string& text) {
    std::size_t pos = 0;
    while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos]))) ++pos;
    return pos;
}

// Converts like atoi but flags values outside the 32-bit range.
int convertInt(const std::string& text, bool& outOfRange) {
    std::size_t start = firstNonBlank(text);
    std::size_t length = decimalPrefixLength(text, start, /*real=*/false);
    outOfRange = false;
    if (length == 0) return 0;
    const bool negative = text[start] == '-';
    std::size_t pos = start + (text[start] == '-' || text[start] == '+' ? 1 : 0);
    // The magnitude stops growing past the int range, so it cannot overflow.
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    long long magnitude = 0;
    for (; pos < start + length; ++pos) {
        magnitude = 10 * magnitude + (text[pos] - '0');
        if (magnitude > limit) {
            outOfRange = true;
            return 0;
        }
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

// Converts like atof on the decimal prefix only (no inf, nan or hexadecimal
// forms) and flags values too large for a double.
double convertReal(const std::string& text, bool& outOfRange) {
    std::size_t start = firstNonBlank(text);
    std::size_t length = decimalPrefixLength(text, start, /*real=*/true);
    outOfRange = false;
    if (length == 0) return 0.0;
    // from_chars rounds exactly as strtod does, without a copy of the field;
    // it takes no '+' sign and refuses results that underflow, which strtod
    // gives as zero or a subnormal, so those few go to strtod.
    const char* first = text.data() + start + (text[start] == '+' ? 1 : 0);
    const char* last = text.data() + start + length;
    double value = 0.0;
    if (const auto [end, error] = std::from_chars(first, last, value); error != std::errc() || end != last)
        value = std::strtod(text.substr(start, length).c_str(), nullptr);
    if (!std::isfinite(value)) {
        outOfRange = true;
        return 0.0;
    }
    return value;
}

}  // namespace

InputReader::InputReader(std::istream& console, std::ostream& diagnostics)
    : console_(console), diagnostics_(diagnostics) {}

InputReader::InputReader() : InputReader(std::cin, std::cerr) {}

InputReader& InputReader::open(const std::string& fileName) {
    fileName_ = fileName;
    inputFile_.open(fileName);
    if (!inputFile_) {
        diagnostics_ << "*** Error ***: File " << fileName << " not found !\n"
                     << "Program stops.\n";
        fatalExit(1);
    }
    lineNumber_ = 0;
    fieldIndex_ = 0;
    fieldsLeft_ = 0;
    consoleMode = false;
    return *this;
}

void InputReader::endOfInput() const {
    if (consoleMode)
        diagnostics_ << "*** Error ***: In reading standard input : End of file\n";
    else
        diagnostics_ << "*** Error ***: In reading file " << fileName_ << " : End of file\n";
    fatalExit(1);
}

int InputReader::readLine() {
    // The line and its fields are read into the reader's own strings, which
    // keep their room from line to line.
    std::string& line = echoLine_;
    std::istream& source = consoleMode ? console_ : static_cast<std::istream&>(inputFile_);
    if (!std::getline(source, line)) endOfInput();
    ++lineNumber_;
    if (!line.empty() && line.back() == '\r') line.pop_back();  // CRLF files read like LF ones

    if (const auto comment = std::find_if(line.begin(), line.end(), [](char c) { return c == '#' || c == '%'; });
        comment != line.end())
        line.erase(comment, line.end());
    if (line.size() > static_cast<std::size_t>(kMaxLineLength)) {
        diagnostics_ << "*** Warning *** Line longer than " << kMaxLineLength
                     << " characters, the rest is ignored\n";
        printLocationUnlessConsole();
        line.resize(kMaxLineLength);
    }

    int count = 0;
    const std::size_t size = line.size();
    std::size_t begin = 0;
    while (count < kMaxFields) {
        while (begin < size && isSeparator(line[begin])) ++begin;
        if (begin == size) break;
        std::size_t end = begin;
        while (end < size && !isSeparator(line[end])) ++end;
        std::string& field = fields_[count++];
        field.assign(line, begin, end - begin);
        begin = end;
        if (field.size() > static_cast<std::size_t>(kMaxFieldLength)) {
            field.resize(kMaxFieldLength);
            diagnostics_ << "*** Warning *** Field longer than " << kMaxFieldLength << " characters cut to "
                         << field << "\n";
            printLocationUnlessConsole();
        }
    }
    fieldIndex_ = 0;
    fieldsLeft_ = count;
    return count;
}

void InputReader::ensureFields() {
    while (fieldsLeft_ == 0) readLine();
}

const std::string& InputReader::takeField() {
    const std::string& field = fields_[fieldIndex_];
    ++fieldIndex_;
    --fieldsLeft_;
    return field;
}

const std::string& InputReader::readWord() {
    ensureFields();
    currentWord_ = takeField();
    return currentWord_;
}

template <typename Number>
Number InputReader::readNumber(Number (*convert)(const std::string&, bool&)) {
    // A field on a line already started is converted as it stands; the first
    // field of a fresh line must look numeric, or the whole line is skipped.
    if (fieldsLeft_ == 0) {
        for (;;) {
            ensureFields();
            if (isNumeric(fields_[fieldIndex_])) break;
            diagnostics_ << " *** Warning *** Non Numeric Field " << fields_[fieldIndex_] << "\n";
            printLocationUnlessConsole();
            fieldsLeft_ = 0;
        }
    }
    const std::string& field = takeField();
    bool outOfRange = false;
    Number value = convert(field, outOfRange);
    if (outOfRange) {
        diagnostics_ << "*** Error *** Number out of range " << field << "\n";
        printLocationUnlessConsole();
        fatalExit(1);
    }
    return value;
}

int InputReader::readInt() { return readNumber<int>(convertInt); }

double InputReader::readReal() { return readNumber<double>(convertReal); }

int InputReader::readKeyword(const KeywordTable& table) {
    ensureFields();
    const std::string& field = takeField();
    int index = matchKeyword(table, field);
    if (index < 0) {
        diagnostics_ << "*** Warning *** Unknown keyword " << field << "\n";
        printLocationUnlessConsole();
        if (const std::string guess = nearestKeyword(table, field); !guess.empty())
            diagnostics_ << "did you mean " << guess << "?\n";
    }
    return index;
}

void InputReader::unreadWord() {
    if (fieldIndex_ > 0) {
        --fieldIndex_;
        ++fieldsLeft_;
    }
}

std::string InputReader::readUpperWord() {
    std::string word = readWord();
    toUpperText(word);
    return word;
}

const std::string& InputReader::readRestOfLine() {
    ensureFields();
    currentWord_.clear();
    while (fieldsLeft_ > 0) {
        currentWord_ += takeField();
        currentWord_ += ' ';
    }
    return currentWord_;
}

void InputReader::printLocation() const {
    diagnostics_ << "     File name   : " << fileName_ << "\n"
                 << "     Line number : " << lineNumber_ << "\n\n";
}

void InputReader::printLocationUnlessConsole() const {
    if (!consoleMode) printLocation();
}

void InputReader::invalidKeyword(const std::string& word) const {
    diagnostics_ << "*** Error *** Invalid keyword " << word << "\n";
    printLocationUnlessConsole();
    fatalExit(1);
}

bool isNumeric(const std::string& text) {
    int points = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '.') {
            ++points;
        } else if (!std::isdigit(static_cast<unsigned char>(c))) {
            return i == 0 && c == '-';
        }
    }
    return points <= 1;
}

void toUpperText(std::string& text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
}

int matchKeyword(const KeywordTable& table, const std::string& word) {
    auto upper = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; };
    for (int index = 0; index < table.count(); ++index) {
        std::string_view prefix = table.prefix(index);
        if (word.size() < prefix.size()) continue;
        bool agrees = true;
        for (std::size_t i = 0; i < prefix.size() && agrees; ++i) agrees = upper(prefix[i]) == upper(word[i]);
        if (agrees) return index;
    }
    return -1;
}

}  // namespace zelk
