// The reports on the approximation and the evaluation points: OUTPU (settings,
// result file only), SHOWVAR (console loop until END) and LISTVAR (one report).
// SHOWVAR and LISTVAR leave fixed, showpoint and left-justified set on the
// result file and on standard output for the rest of the run.
#pragma once

#include "driver/macro_context.h"

namespace zelk {

void handleOutpu(MacroContext& context);
void handleShowVar(MacroContext& context);
void handleListVar(MacroContext& context);

}  // namespace zelk
