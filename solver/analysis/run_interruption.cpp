#include "analysis/run_interruption.h"

#include <unistd.h>

namespace zelk {

namespace {

// The one piece of state a signal handler can share with the step loop.
volatile std::sig_atomic_t receivedSignal = 0;

extern "C" void onInterruption(int signalNumber) {
    if (receivedSignal != 0) _exit(128 + signalNumber);  // the second signal: no clean-up
    receivedSignal = signalNumber;
}

}  // namespace

RunInterruption::RunInterruption() {
    receivedSignal = 0;
    struct sigaction action {};
    action.sa_handler = onInterruption;
    action.sa_flags = SA_RESTART;  // writes under way go on
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &previousInt_);
    sigaction(SIGTERM, &action, &previousTerm_);
}

RunInterruption::~RunInterruption() {
    sigaction(SIGINT, &previousInt_, nullptr);
    sigaction(SIGTERM, &previousTerm_, nullptr);
    receivedSignal = 0;
}

int RunInterruption::signal() const { return receivedSignal; }

}  // namespace zelk
