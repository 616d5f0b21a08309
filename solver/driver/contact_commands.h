// Macro commands of the contact between bodies. Like the other analysis
// commands they need a DYNAMICS analysis and come before CALTIME.
#pragma once

#include "analysis/contact_law.h"
#include "driver/macro_context.h"

namespace zelk {

// BODYCONTACT [alpha [xi]] : damped penalty contact between the contact nodes
// (non-zero NODE flag) of different bodies; alpha and xi default to the law's.
void handleBodyContact(MacroContext& context);
// BODYVELOCITY body vx vy vz : the nodes of the body (1-based) get the velocity.
void handleBodyVelocity(MacroContext& context);

// The optional alpha and xi of the damped law from the rest of the line,
// checked against the law's bounds; errors name the command.
void readDampedLawConstants(InputReader& reader, ContactLaw& law, const char* command);

}  // namespace zelk
