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
    const double E = referenceMaterial().youngsModulus;
    const int contacts = static_cast<int>(contactNodes_.size());
    const std::size_t numWalls = walls.size();
    wallForce_.resize(static_cast<std::size_t>(contacts) * numWalls);
    // The penalty force of every wall on every contact node, on all threads ...
#pragma omp parallel for schedule(static)
    for (int c = 0; c < contacts; ++c) {
        const int node = contactNodes_[c];
        const std::array<double, 3> x = nodePosition(node);
        if (piefg_) {
            // Node I's evaluation point follows the node.
            EvPoint& q = model->evPoints[node];
            q.x = x[0];
            q.y = x[1];
            q.z = x[2];
        }
        for (std::size_t w = 0; w < numWalls; ++w) {
            const RigidWall& wall = *walls[w];
            const std::array<double, 3> g = wall.penetration(x);
            WallPush& push = wallForce_[c * numWalls + w];
            push.touches = !(g[0] == 0.0 && g[1] == 0.0 && g[2] == 0.0);
            if (!push.touches) continue;
            const double stiffness = -(wall.penaltyFactor * contactWeight_[node] * E);
            push.force = {stiffness * g[0], stiffness * g[1], stiffness * g[2]};
        }
    }
    // ... then spread onto the nodes in contact-node and wall order, so the sums keep one order.
    const InfluenceTable& table = nodeInfluence();
    for (int c = 0; c < contacts; ++c) {
        const int node = contactNodes_[c];
        for (std::size_t w = 0; w < numWalls; ++w) {
            const WallPush& push = wallForce_[c * numWalls + w];
            if (!push.touches) continue;
            for (int k = table.offset[node]; k < table.offset[node + 1]; ++k) {
                double* fk = force.data() + 3 * table.node[k];
                const double phi = table.value[k];
                fk[0] += push.force[0] * phi;
                fk[1] += push.force[1] * phi;
                fk[2] += push.force[2] * phi;
            }
        }
    }
    for (const std::unique_ptr<RigidWall>& wall : walls) wall->move(dt);
}

}  // namespace zelk
