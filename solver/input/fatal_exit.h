// The one way a foreseen fatal error ends the solver.
//
// fatalExit() throws FatalExit; main() catches it and returns its exit code.
// Unwinding runs every destructor on the way, so the result file, the history
// file and every other stream being written are flushed and closed before the
// process ends, and nothing written before the error is lost.
#pragma once

namespace zelk {

// Carries the process exit code of a fatal error to main().
// Deliberately not a std::exception, so that no generic handler swallows it.
struct FatalExit {
    int exitCode;
};

// Ends the run with the given exit code after flushing standard output and
// standard error. Callers print their message first.
[[noreturn]] void fatalExit(int exitCode);

}  // namespace zelk
