// Notes on input that did not do what it seems to ask for, gathered while
// the macro blocks run and written on standard error: the input that the
// explicit analysis reads but never uses (once, when DYNAMICS runs), and a
// last line when macro commands went wrong and no analysis ran at all.
// A deck without such input gets none of these lines.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "input/input_reader.h"
#include "model/model.h"

namespace zelk {

class InputAdvice {
public:
    // A macro command was rejected: an unknown word, or a command that needs
    // DYNAMICS without one; the reader tells where it was read.
    void warned(const InputReader& reader);
    // A command that is accepted but has no effect was read: noted when DYNAMICS
    // runs, or at once after it; each command once.
    void usedNoEffectCommand(const std::string& name, std::ostream& out);
    // CALTIME ran the analysis.
    void analysisRan() { analysisRan_ = true; }

    // When DYNAMICS runs: one note per kind of input it will not use (first call only).
    void noteUnusedInput(const Model& model, std::ostream& out);
    // At the end of the input: the "no analysis ran" line, when commands were
    // rejected and no CALTIME ran.
    void reportNoAnalysis(std::ostream& out) const;

private:
    static void printNoEffect(const std::string& name, std::ostream& out);

    int warnings_ = 0;
    int firstWarningLine_ = 0;  // 0: typed at the console
    bool analysisRan_ = false;
    bool unusedInputNoted_ = false;
    std::vector<std::string> noEffectCommands_;  // in first-use order, each once
};

}  // namespace zelk
