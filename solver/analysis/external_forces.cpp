// Penalty forces of the rigid walls on the contact nodes.
#include "analysis/dynamic_analysis.h"

namespace zelk {

std::array<double, 3> DynamicAnalysis::nodePosition(int node) const {
    const Node& reference = model->nodes[node];
    std::array<double, 3> x{reference.x, reference.y, reference.z};
    const InfluenceTable& table = nodeInfluence();
    for (int k = table.offset[node]; k < table.offset[node + 1]; ++k) {
        const double* u = displacement.data() + 3 * table.node[k];
        const double phi = table.value[k];
        x[0] += phi * u[0];
        x[1] += phi * u[1];
        x[2] += phi * u[2];
    }
    return x;
}

void DynamicAnalysis::externalForces(double dt) {
    std::fill(force.begin(), force.end(), 0.0);
    for (int node : contactNodes_) {
        // The node's own material: that of the point whose stress is written for it.
        const double E = intPoints[stressPoint_[node]].material->youngsModulus;
        const std::array<double, 3> x = nodePosition(node);
        if (piefg_) {
            // Node I's evaluation point follows the node.
            EvPoint& q = model->evPoints[node];
            q.x = x[0];
            q.y = x[1];
            q.z = x[2];
        }
        for (const std::unique_ptr<RigidWall>& wall : walls) {
            const std::array<double, 3> g = wall->penetration(x);
            if (g[0] == 0.0 && g[1] == 0.0 && g[2] == 0.0) continue;
            const double stiffness = -(wall->penaltyFactor * contactWeight_[node] * E);
            const double fx = stiffness * g[0], fy = stiffness * g[1], fz = stiffness * g[2];
            const InfluenceTable& table = nodeInfluence();
            for (int k = table.offset[node]; k < table.offset[node + 1]; ++k) {
                double* fk = force.data() + 3 * table.node[k];
                const double phi = table.value[k];
                fk[0] += fx * phi;
                fk[1] += fy * phi;
                fk[2] += fz * phi;
            }
        }
    }
    for (const std::unique_ptr<RigidWall>& wall : walls) wall->move(dt);
}

}  // namespace zelk
