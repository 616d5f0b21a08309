// SIGINT and SIGTERM during a CALTIME: the first one asks the step loop to
// stop after the current step (it then closes its files and writes what a
// resume needs); a second one ends the process at once.
#pragma once

#include <csignal>

namespace zelk {

class RunInterruption {
public:
    // Installs the handlers; the destructor puts back the ones found.
    RunInterruption();
    ~RunInterruption();
    RunInterruption(const RunInterruption&) = delete;
    RunInterruption& operator=(const RunInterruption&) = delete;

    // The signal received so far, or 0.
    int signal() const;
    // The exit code of the shell convention: 128 + the signal number.
    int exitCode() const { return 128 + signal(); }

private:
    struct sigaction previousInt_{}, previousTerm_{};
};

}  // namespace zelk
