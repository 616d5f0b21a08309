#include "driver/macro_command_table.h"

#include <array>

#include "driver/analysis_commands.h"
#include "driver/approximation_commands.h"
#include "driver/clock_commands.h"
#include "driver/contact_commands.h"
#include "driver/core_commands.h"
#include "driver/output_commands.h"
#include "driver/report_commands.h"

namespace zelk {

namespace {

// ORDER MacroKeyword: entry i handles keyword i (checked below at compile time).
//
// Adding a command family touches three places only: the family's own
// <family>_commands.h/.cpp with its handlers (the folder's CMakeLists.txt
// takes every .cpp), its include and handler names in this table, and, if it
// keeps state, its fields in MacroRecord or MacroContext (macro_context.h).
// The RUN loop never changes.
constexpr std::array<MacroCommand, MacroKeywords.count()> kMacroCommands{{
    {kMacroEnd, handleEnd, "end the block and return to the top level"},
    {kMacroCheck, handleCheck, "choose the check: DISP, STRE or ALL (default ALL)"},
    {kMacroLeast, handleLeast, "symmetric equations (band variant while BAND is on)"},
    {kMacroDirect, handleDirect, "unsymmetric equations (band variant while BAND is on)"},
    {kMacroTangent, handleTangent, "choose the tangent: DOMA, NODI or NOTR"},
    {kMacroGeInflPts, handleGeInflPts, "find the influence nodes of the evaluation points"},
    {kMacroSolve, handleNothing, "accepted, no effect"},
    {kMacroOutpu, handleOutpu, "write the approximation settings to the result file"},
    {kMacroNorm, handleNothing, "accepted, no effect"},
    {kMacroExact, handleNothing, "accepted, no effect"},
    {kMacroPenalty, handleNothing, "accepted, no effect"},
    {kMacroCurve, handleNothing, "accepted, no effect"},
    {kMacroPoint, handlePoint, "build the point set (POINT INPUT file)"},
    {kMacroBasis, handleBasis, "basis of the approximation"},
    {kMacroWeight, handleWeight, "weight function of the approximation and its parameter"},
    {kMacroScale, handleScale, "support scale of the approximation"},
    {kMacroDebug, handleDebug, "approximation dumps to DEBUG.OUT on or off"},
    {kMacroDerivativ, handleDerivativ, "read one word and drop it"},
    {kMacroHelp, handleHelp, "list the macro commands"},
    {kMacroMls, handleMls, "create an MLS approximation"},
    {kMacroMfls, handleMfls, "create an MFLS approximation"},
    {kMacroLsq, handleLsq, "create an LSQ approximation"},
    {kMacroCBasis, handleCBasis, "centred basis on"},
    {kMacroMaxInflPt, handleMaxInflPt, "capacity of the influence list"},
    {kMacroEfgm, handleLeast, "same as LEAST"},
    {kMacroGcmm, handleDirect, "same as DIRECT"},
    {kMacroSinWe, handleSinWe, "singular weight on"},
    {kMacroTimer, handleTimer, "stopwatch: START, STOP, CLEAR, RESUME, PRINT"},
    {kMacroPrint, handlePrint, "write the rest of the line on standard output"},
    {kMacroPause, handlePause, "wait for a key"},
    {kMacroRbfType, handleRbfType, "read a radial basis type and optional parameter, not kept"},
    {kMacroRbf, handleNothing, "accepted, no effect"},
    {kMacroInfle, handleInfle, "influence domain of the approximation"},
    {kMacroSinChe, handleSinChe, "singular check on"},
    {kMacroBand, handleBand, "band variants of the equation types: ON or off"},
    {kMacroShowVar, handleShowVar, "interactive reports until END"},
    {kMacroListVar, handleListVar, "one report"},
    {kMacroSupportRegion, handleSupportRegion, "support shape of the approximation"},
    {kMacroReducedOf, handleReducedOf, "renumber the model's equations over reduced freedoms"},
    {kMacroDynamics, handleDynamics, "create the dynamic analysis"},
    {kMacroStepTime, handleStepTime, "step length of the analysis"},
    {kMacroInitV, handleInitV, "initial velocity of the analysis"},
    {kMacroGridWall, handleGridWall, "rigid walls of the analysis"},
    {kMacroCalTime, handleCalTime, "run the analysis to the given time"},
    {kMacroVtk, handleVtk, "VTK series of the following CALTIMEs: [interval in base steps] [file stem]"},
    {kMacroBodyContact, handleBodyContact, "contact between bodies: stiffness fraction, damping ratio"},
    {kMacroBodyVelocity, handleBodyVelocity, "initial velocity of one body"},
}};

constexpr bool inKeywordOrder() {
    for (std::size_t index = 0; index < kMacroCommands.size(); ++index)
        if (kMacroCommands[index].keyword != static_cast<int>(index)) return false;
    return true;
}
static_assert(inKeywordOrder(), "kMacroCommands must list the MacroKeyword values in enum order");

}  // namespace

std::span<const MacroCommand> macroCommands() { return kMacroCommands; }

const MacroCommand& macroCommand(MacroKeyword keyword) { return kMacroCommands.at(keyword); }

}  // namespace zelk
