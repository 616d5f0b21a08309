#include "driver/output_commands.h"

#include <iostream>
#include <string>

#include "driver/analysis_commands.h"
#include "input/fatal_exit.h"

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
    if (settings.interval <= 0) {
        std::cout << "*** Error *** Vtk : the interval must be a positive number of base steps, not "
                  << settings.interval << " (line " << reader.lineNumber() << ")\n";
        fatalExit(1);
    }
    dynamics->vtk = settings;
}

}  // namespace zelk
