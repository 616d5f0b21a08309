// Macro commands of the explicit dynamic analysis. The analysis itself lives
// in the RUN block's context (MacroContext::dynamics): DYNAMICS creates it and
// the other four need it, writing "dyna not define!!!" without reading their
// arguments when the block has none.
#pragma once

#include <string>

#include "driver/macro_context.h"

namespace zelk {

// The block's analysis, or null after writing "dyna not define!!!".
DynamicAnalysis* requireDynamics(MacroContext& context);
// "*** Error *** <command> : <what> (line <n>)" on standard output, exit 1:
// a bad field of the command line being read.
[[noreturn]] void commandLineError(const InputReader& reader, const std::string& command, const std::string& what);

// DYNAMICS EFG|PIEFG : builds the integration points over the current approximation.
void handleDynamics(MacroContext& context);
// STEPTIME word length : constant step when the upper-cased word is CONST; the
// step is the length divided by the largest bar wave speed of the materials in use.
void handleStepTime(MacroContext& context);
// INITV vx vy vz : the same velocity at every node.
void handleInitV(MacroContext& context);
// GRIDWALL n, then n lines PLANE axis side position velocity penalty or
// CYLINDER axis side position radius radialSide velocity penalty, then ENDGRID.
void handleGridWall(MacroContext& context);
// CALTIME tEnd : steps from 0 to tEnd and writes the result files.
void handleCalTime(MacroContext& context);

}  // namespace zelk
