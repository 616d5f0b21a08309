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

void handleGeInflPts(MacroContext&) { notAvailableYet(kMacroGeInflPts); }
void handlePoint(MacroContext&) { notAvailableYet(kMacroPoint); }
void handleBasis(MacroContext&) { notAvailableYet(kMacroBasis); }
void handleWeight(MacroContext&) { notAvailableYet(kMacroWeight); }
void handleScale(MacroContext&) { notAvailableYet(kMacroScale); }
void handleDebug(MacroContext&) { notAvailableYet(kMacroDebug); }
void handleMls(MacroContext&) { notAvailableYet(kMacroMls); }
void handleMfls(MacroContext&) { notAvailableYet(kMacroMfls); }
void handleLsq(MacroContext&) { notAvailableYet(kMacroLsq); }
void handleCBasis(MacroContext&) { notAvailableYet(kMacroCBasis); }
void handleMaxInflPt(MacroContext&) { notAvailableYet(kMacroMaxInflPt); }
void handleSinWe(MacroContext&) { notAvailableYet(kMacroSinWe); }
void handleInfle(MacroContext&) { notAvailableYet(kMacroInfle); }
void handleSinChe(MacroContext&) { notAvailableYet(kMacroSinChe); }
void handleSupportRegion(MacroContext&) { notAvailableYet(kMacroSupportRegion); }

void handleOutpu(MacroContext&) { notAvailableYet(kMacroOutpu); }
void handleShowVar(MacroContext&) { notAvailableYet(kMacroShowVar); }
void handleListVar(MacroContext&) { notAvailableYet(kMacroListVar); }

void handleDynamics(MacroContext&) { notAvailableYet(kMacroDynamics); }
void handleStepTime(MacroContext&) { notAvailableYet(kMacroStepTime); }
void handleInitV(MacroContext&) { notAvailableYet(kMacroInitV); }
void handleGridWall(MacroContext&) { notAvailableYet(kMacroGridWall); }
void handleCalTime(MacroContext&) { notAvailableYet(kMacroCalTime); }

}  // namespace zelk
