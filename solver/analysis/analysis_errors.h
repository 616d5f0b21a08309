// Fatal errors of the dynamic analysis: one message line on standard output
// in the solver's error form, then exit code 1.
#pragma once

#include <string>

namespace zelk {

// Writes "*** Error *** <command> : <what>" and a newline, then ends the run with exit 1.
[[noreturn]] void analysisError(const std::string& command, const std::string& what);

}  // namespace zelk
