// The TIMER macro command over the interpreter's Clock.
#pragma once

#include "driver/macro_context.h"

namespace zelk {

// TIMER START | STOP | CLEAR | RESUME | PRINT   (case-sensitive)
void handleTimer(MacroContext& context);

}  // namespace zelk
