// Stand-ins for the macro commands of the approximation, the reports and the
// dynamic analysis, until those families exist. Each one only says on
// standard output that its command is not available yet; its arguments are
// not read. A family that lands deletes its stand-ins here and declares its
// own handlers, under the same names, in its own header.
#pragma once

#include "driver/macro_context.h"

namespace zelk {

// Dynamic analysis.
void handleDynamics(MacroContext& context);
void handleStepTime(MacroContext& context);
void handleInitV(MacroContext& context);
void handleGridWall(MacroContext& context);
void handleCalTime(MacroContext& context);

}  // namespace zelk
