// Restart files of CALTIME: the whole dynamic state of a run at the end of a
// step, so that a later run of the same deck goes on from there.
//
// Layout (native byte order): the magic text "ZELKRST\n", a format version,
// the fingerprint of the run, the payload length and a checksum of the
// payload, then the payload. The fingerprint covers the model, the
// approximation (through the influence tables it produced), the step settings,
// the walls and the state the CALTIME started from, so a file is accepted only
// by the CALTIME of the same deck that wrote it.
#pragma once

#include <cstdint>
#include <string>

#include "analysis/restart_plan.h"

namespace zelk {

class DynamicAnalysis;
class RunOutputs;

// Where a CALTIME stands between two steps, with the lengths of the files it
// appends to after those steps (0: not written, or started anew).
struct StepPoint {
    double time = 0.0;
    int step = 0;                        // steps done
    std::uint64_t historyBytes = 0;      // End_y.txt
    std::uint64_t energyBytes = 0;       // Energy.txt
    std::uint64_t wallHistoryBytes = 0;  // GRIDWALL's HISTORY file
    std::uint64_t contactBytes = 0;      // Contact.txt
};

class CalTimeRestart {
public:
    // Takes the fingerprint of the analysis and its outputs as they are at the
    // start of the CALTIME (after the masses are computed), when the plan saves or resumes.
    CalTimeRestart(DynamicAnalysis& analysis, RunOutputs& outputs, const RestartPlan& plan);

    bool resuming() const { return !plan_.resumeFile.empty(); }
    bool saving() const { return plan_.saveEvery > 0; }
    bool saveDue(int step) const { return saving() && step % plan_.saveEvery == 0; }
    const std::string& saveFile() const { return plan_.saveFile; }

    // Reads and checks the resume file, cuts the files the run appends to back
    // to the saved step and restores the analysis and its outputs. A file that
    // is not a restart file, comes from another version or another run, is
    // truncated or corrupted, or one of whose appended files is missing or
    // shorter than recorded, is refused (exit 1) before any file is changed. The saved time and step must lie within the run's
    // maxSteps steps of length baseStep.
    StepPoint resume(double baseStep, int maxSteps);

    // Writes the state at the point atomically: a temporary file, flushed to
    // the disk, then renamed over the restart file.
    void save(const StepPoint& at);

private:
    DynamicAnalysis& analysis_;
    RunOutputs& outputs_;
    RestartPlan plan_;
    std::uint64_t fingerprint_ = 0;
};

}  // namespace zelk
