// The analysis's side of the energy balance: kinetic energy and the start of
// a CALTIME. The stress work is summed in internalForces, the wall work in
// externalForces.
#include "analysis/dynamic_analysis.h"

namespace zelk {

double DynamicAnalysis::kineticEnergy(double shift) const {
    double twice = 0.0;
    const int numNodes = model->NUMNP;
    for (int node = 0; node < numNodes; ++node) {
        double squared = 0.0;
        for (int d = 0; d < 3; ++d) {
            const double v = velocity[3 * node + d] - force[3 * node + d] * shift;
            squared += v * v;
        }
        twice += nodalMass[node] * squared;
    }
    return 0.5 * twice;
}

// A CALTIME starts with no wall force (force is cleared), so the wall work of
// the previous one is complete.
void DynamicAnalysis::startEnergyBalance() {
    lastWallForce_.assign(contactNodes_.size(), {});
    energy.wallWork += energy.pendingWallWork;
    energy.pendingWallWork = 0.0;
    energy.kinetic = kineticEnergy(0.0);
    energy.startTotal = energy.total();
    energy.startWallWork = energy.wallWork;
    energy.largest = 0.0;
    energy.noteLargest();
}

}  // namespace zelk
