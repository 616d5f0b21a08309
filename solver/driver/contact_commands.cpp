#include "driver/contact_commands.h"

#include "analysis/contact_law.h"
#include "driver/analysis_commands.h"

namespace zelk {

void readDampedLawConstants(InputReader& reader, ContactLaw& law, const char* command) {
    if (reader.fieldsLeft() > 0) law.stiffnessFraction = reader.readReal();
    if (reader.fieldsLeft() > 0) law.dampingRatio = reader.readReal();
    // Beyond alpha = 1 the spring alone would stop a node in less than a step.
    if (!(law.stiffnessFraction > 0.0 && law.stiffnessFraction <= 1.0))
        commandLineError(reader, command, "the contact stiffness fraction must be in (0, 1]");
    if (!(law.dampingRatio >= 0.0 && law.dampingRatio <= 1.0))
        commandLineError(reader, command, "the contact damping ratio must be in [0, 1]");
}

// The law and its bounds are those of the walls' damped contact, so that a
// body meets another body as it meets a wall.
void handleBodyContact(MacroContext& context) {
    DynamicAnalysis* dynamics = requireDynamics(context);
    if (!dynamics) return;
    ContactLaw law;
    readDampedLawConstants(context.record.reader, law, "BodyContact");
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
