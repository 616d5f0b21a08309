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

#include <fstream>
#include <string>
#include <vector>

namespace zelk {

class WallHistory {
public:
    explicit WallHistory(const std::string& fileName);
    bool isOpen() const { return static_cast<bool>(out_); }

    // Before the internal forces are added: force holds the wall forces.
    void startStep(const std::vector<double>& force, const std::vector<double>& velocity);
    // After the internal forces are added to force.
    void takeInternal(const std::vector<double>& force);
    // After the velocities are advanced; writes the step's line.
    void endStep(double time, double dt, const std::vector<double>& velocity, const std::vector<double>& mass);

private:
    std::ofstream out_;
    std::vector<double> wallForce_, internalForce_, oldVelocity_;
    double internalEnergy_ = 0.0, wallWork_ = 0.0;
};

}  // namespace zelk
