// Stand-ins for the macro commands of the approximation, the reports and the
// dynamic analysis, until those families exist. Each one only says on
// standard output that its command is not available yet; its arguments are
// not read. A family that lands deletes its stand-ins here and declares its
// own handlers, under the same names, in its own header.
#pragma once

#include "driver/macro_context.h"

namespace zelk {

// Approximation commands.
void handleGeInflPts(MacroContext& context);
void handlePoint(MacroContext& context);
void handleBasis(MacroContext& context);
void handleWeight(MacroContext& context);
void handleScale(MacroContext& context);
void handleDebug(MacroContext& context);
void handleMls(MacroContext& context);
void handleMfls(MacroContext& context);
void handleLsq(MacroContext& context);
void handleCBasis(MacroContext& context);
void handleMaxInflPt(MacroContext& context);
void handleSinWe(MacroContext& context);
void handleInfle(MacroContext& context);
void handleSinChe(MacroContext& context);
void handleSupportRegion(MacroContext& context);

// Reports.
void handleOutpu(MacroContext& context);
void handleShowVar(MacroContext& context);
void handleListVar(MacroContext& context);

// Dynamic analysis.
void handleDynamics(MacroContext& context);
void handleStepTime(MacroContext& context);
void handleInitV(MacroContext& context);
void handleGridWall(MacroContext& context);
void handleCalTime(MacroContext& context);

}  // namespace zelk
