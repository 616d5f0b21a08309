// The one dispatch table of the macro commands.
#pragma once

#include <span>

#include "driver/macro_context.h"
#include "input/keyword_tables.h"

namespace zelk {

// A handler reads its own arguments from the reader, may change the record and
// the context, and returns to the RUN loop; fatal errors end the run inside it.
using MacroHandler = void (*)(MacroContext&);

struct MacroCommand {
    MacroKeyword keyword;
    MacroHandler handler;
    const char* help;  // one line saying what the command does
};

// Every command, in MacroKeyword order: entry i handles keyword i.
std::span<const MacroCommand> macroCommands();

// The entry of a keyword returned by readKeyword over MacroKeywords.
const MacroCommand& macroCommand(MacroKeyword keyword);

}  // namespace zelk
