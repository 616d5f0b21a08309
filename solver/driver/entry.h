// The solver's program entry: command line, files, model and top-level loop.
#pragma once

namespace zelk {

// Runs the solver on the command line given; returns the exit code. Fatal
// errors inside leave by zelk::FatalExit, caught by main(). endsProcess: the
// process ends on return, so a finished run leaves the model to the system.
int runSolver(int argc, const char* const* argv, bool endsProcess = false);

}  // namespace zelk
