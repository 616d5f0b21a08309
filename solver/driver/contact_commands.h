// Macro commands of the contact between bodies. Like the other analysis
// commands they need a DYNAMICS analysis and come before CALTIME.
#pragma once

#include "driver/macro_context.h"

namespace zelk {

// CONTACT stiffnessFactor dampingRatio : penalty contact between the contact
// nodes (non-zero NODE flag) of different bodies.
void handleContact(MacroContext& context);
// BODYVELOCITY body vx vy vz : the nodes of the body (1-based) get the velocity.
void handleBodyVelocity(MacroContext& context);

}  // namespace zelk
