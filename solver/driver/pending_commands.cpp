#include "driver/pending_commands.h"

#include <iostream>
#include <string>

#include "input/keyword_tables.h"

namespace zelk {

namespace {

// "*** Warning *** MLS is not available yet", with the command's full name.
void notAvailableYet(MacroKeyword keyword) {
    std::string name(MacroKeywords.entry(keyword));
    name.erase(name.find('$'), 1);
    std::cout << "*** Warning *** " << name << " is not available yet\n";
}

}  // namespace



void handleDynamics(MacroContext&) { notAvailableYet(kMacroDynamics); }
void handleStepTime(MacroContext&) { notAvailableYet(kMacroStepTime); }
void handleInitV(MacroContext&) { notAvailableYet(kMacroInitV); }
void handleGridWall(MacroContext&) { notAvailableYet(kMacroGridWall); }
void handleCalTime(MacroContext&) { notAvailableYet(kMacroCalTime); }

}  // namespace zelk
