// Macro commands that need nothing outside the command driver: the end of a
// block, the equation-type and check choices, help, print, pause, the band
// switch and the reduced renumbering of the model.
#pragma once

#include "driver/macro_context.h"

namespace zelk {

void handleEnd(MacroContext& context);
void handleCheck(MacroContext& context);
void handleLeast(MacroContext& context);
void handleDirect(MacroContext& context);
void handleTangent(MacroContext& context);
void handleNothing(MacroContext& context);  // SOLVE, NORM, EXACT, PENALTY, CURVE, RBF
void handleDerivativ(MacroContext& context);
void handleHelp(MacroContext& context);
void handlePrint(MacroContext& context);
void handlePause(MacroContext& context);
void handleRbfType(MacroContext& context);
void handleBand(MacroContext& context);
void handleReducedOf(MacroContext& context);

}  // namespace zelk
