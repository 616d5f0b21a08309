#include "driver/restart_commands.h"

#include <climits>
#include <iostream>

#include "input/fatal_exit.h"

namespace zelk {

namespace {

// The optional file name that may end the command's line.
std::string optionalFileName(InputReader& reader) {
    return reader.fieldsLeft() > 0 ? reader.readWord() : std::string(kDefaultRestartFileName);
}

}  // namespace

void handleSaveState(MacroContext& context) {
    InputReader& reader = context.record.reader;
    const int every = reader.readInt();
    if (every < 0) {
        std::cerr << "*** Error *** SaveState : " << every << " out of range 0 to " << INT_MAX << "\n";
        reader.printLocationUnlessConsole();
        fatalExit(1);
    }
    context.record.restart.saveEvery = every;
    context.record.restart.saveFile = optionalFileName(reader);
}

void handleResume(MacroContext& context) { context.record.restart.resumeFile = optionalFileName(context.record.reader); }

}  // namespace zelk
