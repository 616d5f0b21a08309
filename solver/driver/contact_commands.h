// Macro commands of the contact between bodies. Like the other analysis
// commands they need a DYNAMICS analysis and come before CALTIME.
#pragma once

#include "driver/macro_context.h"

namespace zelk {

// BODYCONTACT [alpha [xi]] : damped penalty contact between the contact nodes
// (non-zero NODE flag) of different bodies; alpha and xi default to the law's.
void handleBodyContact(MacroContext& context);
// BODYVELOCITY body vx vy vz : the nodes of the body (1-based) get the velocity.
void handleBodyVelocity(MacroContext& context);

}  // namespace zelk
