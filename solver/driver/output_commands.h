// Macro commands that choose additional result output of the dynamic analysis.
#pragma once

#include "driver/macro_context.h"

namespace zelk {

// VTK [interval] [stem] : the following CALTIMEs of the analysis write a VTK
// series, a member every interval base steps (default 100) named
// <stem>_NNNN.vtu (default stem Node) and the collection <stem>.pvd. Both
// arguments are optional and read only from the command's own line.
void handleVtk(MacroContext& context);

}  // namespace zelk
