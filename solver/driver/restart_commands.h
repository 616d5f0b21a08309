// SAVESTATE and RESUME: restart files of the dynamic analysis.
#pragma once

#include "driver/macro_context.h"

namespace zelk {

// SAVESTATE n [file] : every following CALTIME writes a restart file every n
// steps (0: none) to file (default ZELK.rst).
void handleSaveState(MacroContext& context);
// RESUME [file] : the next CALTIME starts from the restart file (default ZELK.rst).
void handleResume(MacroContext& context);

}  // namespace zelk
