#include "driver/core_commands.h"

#include <initializer_list>
#include <iostream>
#include <string>
#include <string_view>

#include "input/keyword_tables.h"

namespace zelk {

namespace {

// True when the text begins with the given characters.
bool beginsWith(const std::string& text, std::string_view start) { return text.compare(0, start.size(), start) == 0; }

// Reads a word that the command may take: when it begins with one of the
// choices it is kept upper-cased, otherwise it is given back to the reader
// (it is then read as the next command) and fallback is kept, if any.
void readOptionalChoice(MacroContext& context, std::initializer_list<std::string_view> choices,
                        const char* fallback) {
    InputReader& reader = context.record.reader;
    const std::string word = reader.readUpperWord();
    for (std::string_view choice : choices) {
        if (beginsWith(word, choice)) {
            context.setEquationText(word);
            return;
        }
    }
    reader.unreadWord();
    if (fallback != nullptr) context.setEquationText(fallback);
}

}  // namespace

// END
void handleEnd(MacroContext& context) { context.ended = true; }

// CHECK [DISP... | STRE... | ALL...]
void handleCheck(MacroContext& context) { readOptionalChoice(context, {"DISP", "STRE", "ALL"}, "ALL"); }

// LEAST   (EFGM is the same command)
void handleLeast(MacroContext& context) {
    context.setEquationText(context.record.band ? "SymmBandEquation" : "SymmEquation");
}

// DIRECT  (GCMM is the same command)
void handleDirect(MacroContext& context) {
    context.setEquationText(context.record.band ? "UnSymmBandEquation" : "UnSymmEquation");
}

// TANGENT [DOMA... | NODI... | NOTR...]
void handleTangent(MacroContext& context) { readOptionalChoice(context, {"DOMA", "NODI", "NOTR"}, nullptr); }

// SOLVE, NORM, EXACT, PENALTY, CURVE, RBF: accepted and without effect.
void handleNothing(MacroContext&) {}

// DERIVATIV word   (the word is read and dropped)
void handleDerivativ(MacroContext& context) { context.record.reader.readWord(); }

// HELP: the required prefix of every command, eight to a line.
void handleHelp(MacroContext&) {
    constexpr std::size_t kColumnWidth = 9;
    constexpr int kNamesPerLine = 8;
    std::cout << "\n\nCurrent available MACRO commands :\n";
    for (int index = 0; index < kHelpListedMacros; ++index) {
        std::string_view name = MacroKeywords.prefix(index);
        std::cout << name;
        if (name.size() < kColumnWidth) std::cout << std::string(kColumnWidth - name.size(), ' ');
        if ((index + 1) % kNamesPerLine == 0) std::cout << "\n";
    }
    std::cout << "\n\n" << std::flush;
}

// PRINT text...   (the rest of the line, or the whole next line)
void handlePrint(MacroContext& context) { std::cout << context.record.reader.readRestOfLine() << "\n"; }

// PAUSE: waits for one character on standard input. At the end of standard
// input there is nothing to wait for, and the block goes on.
void handlePause(MacroContext&) {
    std::cout << "Press any key to continue... " << std::flush;
    std::cin.get();
}

// RBFTYPE word [real]   (read and not kept)
void handleRbfType(MacroContext& context) {
    InputReader& reader = context.record.reader;
    const std::string type = reader.readUpperWord();
    const bool numberFollows = isNumeric(reader.readWord());
    reader.unreadWord();
    if (numberFollows) reader.readReal();
}

// BAND ON... | anything else
void handleBand(MacroContext& context) {
    const std::string word = context.record.reader.readUpperWord();
    context.setEquationText(word);
    context.record.band = beginsWith(word, "ON");
}

// REDUCEDOF: numbers the model's equations again over the reduced degrees of freedom.
void handleReducedOf(MacroContext& context) { context.record.model.renumberReduced(true); }

}  // namespace zelk
