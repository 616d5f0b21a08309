#include "driver/clock_commands.h"

#include <iostream>
#include <string>

namespace zelk {

void handleTimer(MacroContext& context) {
    InputReader& reader = context.record.reader;
    Clock& clock = context.record.clock;
    const std::string word = reader.readWord();
    if (word == "START") {
        clock.start();
    } else if (word == "STOP") {
        clock.stop();
    } else if (word == "CLEAR") {
        clock.clear();
    } else if (word == "RESUME") {
        clock.resume();
    } else if (word == "PRINT") {
        const double seconds = clock.elapsedMilliseconds() * 0.001;
        std::cout << "Elapsed Time " << seconds << " sec.\n";
        context.record.resultFile << "Elapsed Time " << seconds << " sec.\n";
    } else {
        // Not a clock word: it is read again as the next macro command.
        std::cout << "*** Warning *** Timer : Invalid parameter (" << word << ").\n";
        reader.unreadWord();
    }
}

}  // namespace zelk
