// The analysis's side of the energy balance: kinetic energy, wall work and
// the start of a CALTIME. The stress work is summed in internalForces.
#include "analysis/dynamic_analysis.h"
#include "analysis/ordered_sum.h"

namespace zelk {

double DynamicAnalysis::kineticEnergy(double shift) const {
    const double* const v = velocity.data();
    const double* const f = force.data();
    const double* const mass = nodalMass.data();
    const std::array<double, 1> twice = orderedSum<1>(model->NUMNP, [=](int node) {
        double squared = 0.0;
        for (int d = 0; d < 3; ++d) {
            const double speed = v[3 * node + d] - f[3 * node + d] * shift;
            squared += speed * speed;
        }
        return std::array<double, 1>{mass[node] * squared};
    });
    return 0.5 * twice[0];
}

// A CALTIME starts with no wall force (force is cleared), so the wall work of
// the previous one is complete.
void DynamicAnalysis::startEnergyBalance() {
    lastWallForce_.assign(force.size(), 0.0);
    energy.wallWork += energy.pendingWallWork;
    energy.pendingWallWork = 0.0;
    energy.kinetic = kineticEnergy(0.0);
    energy.startTotal = energy.total();
    energy.startWallWork = energy.wallWork;
    energy.largest = 0.0;
    energy.noteLargest();
}

// force holds the wall forces externalForces has just formed. A wall force
// spread over the nodes by the shape functions does on the nodal velocities
// the same work as on the velocity of the node it acts at, so the nodal
// vectors suffice; only the velocities of the step (v dt moved the nodes) count.
void DynamicAnalysis::addWallWork(double dt) {
    energy.wallWork += energy.pendingWallWork;
    energy.pendingWallWork = 0.0;
    if (contactNodes_.empty()) return;
    // A step taken outside runToTime (no startEnergyBalance) starts from no wall force.
    if (lastWallForce_.size() != force.size()) lastWallForce_.assign(force.size(), 0.0);
    // Over the nodes contact forces reach, in node order: elsewhere both forces
    // are zero and the velocities finite, so the terms left out are zeros.
    double work = 0.0;
    for (int node : contactReach_)
        for (int i = 3 * node; i < 3 * node + 3; ++i) {
            work += (lastWallForce_[i] + force[i]) * velocity[i];
            lastWallForce_[i] = force[i];
        }
    energy.pendingWallWork = 0.5 * work * dt;
}

}  // namespace zelk
