#include "driver/macro_interpreter.h"

#include <iostream>

namespace zelk {

MacroInterpreter::MacroInterpreter(InputReader& reader, std::ostream& resultFile, Model& model)
    : reader_(reader), resultFile_(resultFile), model_(model) {}

// Stand-in: reads and echoes commands until END.
void MacroInterpreter::run(const std::string& mode, bool echo) {
    bool interactive = mode == "INTERACTIVE";
    reader_.consoleMode = interactive;
    for (;;) {
        if (interactive) std::cout << "RUN :   " << std::flush;
        int command = reader_.readKeyword(MacroKeywords);
        if (echo) {
            resultFile_ << reader_.echoLine() << "\n";
            std::cout << reader_.echoLine() << "\n";
        }
        if (command == kMacroEnd) return;
    }
}

}  // namespace zelk
