// The one dispatch table of the macro commands.
#pragma once

#include <span>
#include <string_view>

#include "driver/macro_context.h"
#include "input/keyword_tables.h"

namespace zelk {

// A handler reads its own arguments from the reader, may change the record and
// the context, and returns to the RUN loop; fatal errors end the run inside it.
using MacroHandler = void (*)(MacroContext&);

// The help text of the commands that are accepted and do nothing.
inline constexpr std::string_view kNoEffectHelp = "accepted, no effect";

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
