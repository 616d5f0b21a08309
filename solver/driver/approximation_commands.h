// Macro commands that create and tune the meshless approximation and build
// the point set.
#pragma once

#include "driver/macro_context.h"

namespace zelk {

// The approximation a command works on; without one the run ends with
// "*** Error *** <label> : APPROX must be defined first !", exit 1.
MlsApproximation& requireApproximation(MacroContext& context, const char* label);

// MLS | MFLS | LSQ : a fresh approximation of that type, all settings at their defaults.
void handleMls(MacroContext& context);
void handleMfls(MacroContext& context);
void handleLsq(MacroContext& context);
// GEINFLPTS : only checks that an approximation exists.
void handleGeInflPts(MacroContext& context);
// BASIS name : SHEP..., LINE... or QUAD... (upper-cased).
void handleBasis(MacroContext& context);
// WEIGHT kernel parameter : kernel name (upper-cased) and the shared weight parameter.
void handleWeight(MacroContext& context);
// SCALE s : multiplier of the nearest-neighbour distances.
void handleScale(MacroContext& context);
// DEBUG ON|OFF : dumps to DEBUG.OUT.
void handleDebug(MacroContext& context);
// CBASIS | SINWE | SINCHE : centred basis, singular weight, singular check on.
void handleCBasis(MacroContext& context);
void handleSinWe(MacroContext& context);
void handleSinChe(MacroContext& context);
// MAXINFLPT k : capacity of the influence list (0: the node count).
void handleMaxInflPt(MacroContext& context);
// SUPPORTREGION CIRCLE|RECTANGLE : support shape, case kept.
void handleSupportRegion(MacroContext& context);
// INFLE SEL|VAR|ALL k  |  INFLE FIX r  |  INFLE FIX sx sy sz (RECTANGLE).
void handleInfle(MacroContext& context);
// POINT INPUT file | POINT EVPOINT | POINT LINE : replaces the point set.
void handlePoint(MacroContext& context);

}  // namespace zelk
