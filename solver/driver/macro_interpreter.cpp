#include "driver/macro_interpreter.h"

#include <iostream>

#include "driver/macro_command_table.h"

namespace zelk {

MacroInterpreter::MacroInterpreter(InputReader& reader, std::ostream& resultFile, Model& model)
    : record_(reader, resultFile, model) {}

void MacroInterpreter::run(const std::string& mode, bool echo) {
    InputReader& reader = record_.reader;
    const bool interactive = mode == "INTERACTIVE";
    if (interactive) reader.consoleMode = true;
    if (mode == "BATCH") reader.consoleMode = false;

    MacroContext context(record_);
    while (!context.ended) {
        // The prompt follows the mode of the block, not where lines come from.
        if (interactive) std::cout << "RUN :   " << std::flush;
        const int keyword = reader.readKeyword(MacroKeywords);
        if (echo) {
            record_.resultFile << reader.echoLine() << "\n";
            std::cout << reader.echoLine() << "\n";
        }
        if (keyword < 0) {
            record_.advice.warned(reader);
            continue;
        }
        const MacroCommand& command = macroCommand(static_cast<MacroKeyword>(keyword));
        if (command.help == kNoEffectHelp) record_.advice.usedNoEffectCommand(MacroKeywords.fullWord(keyword), std::cerr);
        command.handler(context);
    }
}

}  // namespace zelk
