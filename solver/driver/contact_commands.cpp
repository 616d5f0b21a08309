#include "driver/contact_commands.h"

#include <iostream>

#include "analysis/contact_law.h"
#include "driver/analysis_commands.h"
#include "input/fatal_exit.h"

namespace zelk {

void handleContact(MacroContext& context) {
    DynamicAnalysis* dynamics = requireDynamics(context);
    if (!dynamics) return;
    InputReader& reader = context.record.reader;
    ContactLaw law;
    law.stiffnessFactor = reader.readReal();
    law.dampingRatio = reader.readReal();
    // Above 4 the contact oscillator is unstable under central differences.
    const bool stiffnessValid = law.stiffnessFactor > 0.0 && law.stiffnessFactor <= 4.0;
    const bool dampingValid = law.dampingRatio >= 0.0 && law.dampingRatio <= 1.0;
    if (!stiffnessValid || !dampingValid) {
        std::cout << "*** Error *** Contact : " << (stiffnessValid ? "damping ratio " : "stiffness factor ")
                  << (stiffnessValid ? law.dampingRatio : law.stiffnessFactor)
                  << (stiffnessValid ? " outside 0 to 1" : " outside 0 (excluded) to 4") << " (line "
                  << reader.lineNumber() << ")\n";
        fatalExit(1);
    }
    dynamics->setBodyContact(law);
}

void handleBodyVelocity(MacroContext& context) {
    DynamicAnalysis* dynamics = requireDynamics(context);
    if (!dynamics) return;
    InputReader& reader = context.record.reader;
    const int body = reader.readInt();
    const double vx = reader.readReal();
    const double vy = reader.readReal();
    const double vz = reader.readReal();
    dynamics->setBodyVelocity(body - 1, vx, vy, vz);
}

}  // namespace zelk
