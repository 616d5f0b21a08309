#include "driver/output_commands.h"

#include <string>

#include "driver/analysis_commands.h"

namespace zelk {

void handleVtk(MacroContext& context) {
    DynamicAnalysis* dynamics = requireDynamics(context);
    if (!dynamics) return;
    InputReader& reader = context.record.reader;
    VtkSettings settings;
    settings.enabled = true;
    if (reader.fieldsLeft() > 0) {
        const bool numberFollows = isNumeric(reader.readWord());
        reader.unreadWord();
        if (numberFollows) settings.interval = reader.readInt();
    }
    if (reader.fieldsLeft() > 0) settings.stem = reader.readWord();
    if (settings.interval <= 0)
        commandLineError(reader, "Vtk",
                         "the interval must be a positive number of base steps, not " + std::to_string(settings.interval));
    dynamics->vtk = settings;
}

}  // namespace zelk
