// Optional per-step history of the wall forces and the energies of a run
// (GRIDWALL's HISTORY line), for checking contact against reference results.
//
// One line per step: time, the x, y, z sums of the wall forces that acted on
// the body during the step, the kinetic energy, the internal energy (work
// done against the internal forces) and the work done by the walls on the
// body, all accumulated from the start of the CALTIME. With no energy made or
// lost in the body, kinetic + internal = initial kinetic + wall work; a wall
// that only takes energy out has a wall work that never rises.
#pragma once

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "analysis/result_files.h"

namespace zelk {

class WallHistory {
public:
    // A new file (bytes 0), or the file of a resumed run, cut back to bytes; false if it cannot be opened.
    bool open(const std::string& fileName, std::uint64_t bytes);
    std::uint64_t bytes() { return writtenBytes(out_); }

    // Before the internal forces are added: force holds the wall forces.
    void startStep(const std::vector<double>& force, const std::vector<double>& velocity);
    // After the internal forces are added to force.
    void takeInternal(const std::vector<double>& force);
    // After the velocities are advanced; writes the step's line.
    void endStep(double time, double dt, const std::vector<double>& velocity, const std::vector<double>& mass);

    // The running sums, for restart files (restart_file.cpp).
    template <typename Io>
    void visitState(Io& io) {
        io.field(internalEnergy_);
        io.field(wallWork_);
    }

private:
    std::ofstream out_;
    std::vector<double> wallForce_, internalForce_, oldVelocity_;
    double internalEnergy_ = 0.0, wallWork_ = 0.0;
};

}  // namespace zelk
