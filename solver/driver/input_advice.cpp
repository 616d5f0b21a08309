#include "driver/input_advice.h"

#include <algorithm>
#include <ostream>

namespace zelk {

void InputAdvice::warned(const InputReader& reader) {
    if (warnings_++ == 0) firstWarningLine_ = reader.consoleMode ? 0 : reader.lineNumber();
}

void InputAdvice::usedNoEffectCommand(const std::string& name, std::ostream& out) {
    if (std::find(noEffectCommands_.begin(), noEffectCommands_.end(), name) != noEffectCommands_.end()) return;
    noEffectCommands_.push_back(name);
    if (unusedInputNoted_) printNoEffect(name, out);  // DYNAMICS has run: say so now
}

void InputAdvice::printNoEffect(const std::string& name, std::ostream& out) {
    out << "*** Note *** " << name << " : accepted, but it has no effect on the analysis\n";
}

void InputAdvice::noteUnusedInput(const Model& model, std::ostream& out) {
    if (unusedInputNoted_) return;
    unusedInputNoted_ = true;
    if (model.loadsRead)
        out << "*** Note *** LOAD : read, but the explicit analysis applies no nodal loads (no effect)\n";
    if (model.sideLoadsRead)
        out << "*** Note *** SIDELOAD : read, but the explicit analysis applies no side loads (no effect)\n";
    for (const std::string& name : noEffectCommands_) printNoEffect(name, out);
}

void InputAdvice::reportNoAnalysis(std::ostream& out) const {
    if (warnings_ == 0 || analysisRan_) return;
    out << "*** Note *** No analysis ran (no CALTIME was carried out): the macro commands gave " << warnings_
        << (warnings_ == 1 ? " warning" : " warnings") << ", the first ";
    if (firstWarningLine_ > 0)
        out << "in line " << firstWarningLine_ << "\n";
    else
        out << "typed at the console\n";
}

}  // namespace zelk
