// Contact forces of the rigid walls on the contact nodes.
#include <cmath>

#include "analysis/dynamic_analysis.h"

namespace zelk {

std::array<double, 3> DynamicAnalysis::interpolate(int node, const std::vector<double>& field,
                                                   std::array<double, 3> start) const {
    std::array<double, 3> x = start;
    const InfluenceTable& table = nodeInfluence();
    for (int k = table.offset[node]; k < table.offset[node + 1]; ++k) {
        const double* u = field.data() + 3 * table.node[k];
        const double phi = table.value[k];
        x[0] += phi * u[0];
        x[1] += phi * u[1];
        x[2] += phi * u[2];
    }
    return x;
}

std::array<double, 3> DynamicAnalysis::nodePosition(int node) const {
    const Node& reference = model->nodes[node];
    return interpolate(node, displacement, {reference.x, reference.y, reference.z});
}

// A force F at node I's place is spread as phi_k F over its influence nodes.
// When the whole face is pushed, each node k gets its share sum_I phi_k(x_I) F
// of about F and the place accelerates by F sum_k phi_k / m_k; when I is pushed
// alone, by F sum_k phi_k^2 / m_k, which is smaller. 1 / sum_k |phi_k| / m_k is
// at most the mass of either case, so a spring tuned to it stays stable in both.
double DynamicAnalysis::contactMass(int node) const {
    double compliance = 0.0;
    const InfluenceTable& table = nodeInfluence();
    for (int k = table.offset[node]; k < table.offset[node + 1]; ++k)
        compliance += std::abs(table.value[k]) / nodalMass[table.node[k]];
    return compliance > 0.0 ? 1.0 / compliance : 0.0;
}

void DynamicAnalysis::spreadForce(int node, const std::array<double, 3>& f) {
    const InfluenceTable& table = nodeInfluence();
    for (int k = table.offset[node]; k < table.offset[node + 1]; ++k) {
        double* fk = force.data() + 3 * table.node[k];
        const double phi = table.value[k];
        fk[0] += f[0] * phi;
        fk[1] += f[1] * phi;
        fk[2] += f[2] * phi;
    }
}

void DynamicAnalysis::externalForces(double dt) {
    double* const f = force.data();
    const std::ptrdiff_t entries = static_cast<std::ptrdiff_t>(force.size());
#pragma omp parallel for schedule(static)
    for (std::ptrdiff_t i = 0; i < entries; ++i) f[i] = 0.0;
    const int contacts = static_cast<int>(contactNodes_.size());
    const std::size_t numWalls = walls.size();
    wallForce_.resize(static_cast<std::size_t>(contacts) * numWalls);
    // The force of every wall on every contact node, on all threads ...
#pragma omp parallel for schedule(static)
    for (int c = 0; c < contacts; ++c) {
        const int node = contactNodes_[c];
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
        for (std::size_t w = 0; w < numWalls; ++w) {
            const RigidWall& wall = *walls[w];
            const std::array<double, 3> g = wall.penetration(x);
            WallPush& push = wallForce_[c * numWalls + w];
            push.touches = !(g[0] == 0.0 && g[1] == 0.0 && g[2] == 0.0);
            if (!push.touches) continue;
            std::array<double, 3>& f = push.force;
            if (wallContact == WallContact::Penalty) {
                const double stiffness = -(wall.penaltyFactor * contactWeight_[node] * E);
                f = {stiffness * g[0], stiffness * g[1], stiffness * g[2]};
            } else {
                // g points into the wall; the approach speed is the rate of |g|.
                const double depth = std::sqrt(g[0] * g[0] + g[1] * g[1] + g[2] * g[2]);
                std::array<double, 3> relative = nodeVelocity(node);
                relative[wall.axis - 1] -= wall.wallVelocity;
                const double approach = (relative[0] * g[0] + relative[1] * g[1] + relative[2] * g[2]) / depth;
                const double normal = contactLaw.normalForce(depth, approach, contactMass(node), dt);
                for (int a = 0; a < 3; ++a) f[a] = -normal * g[a] / depth;
            }
        }
    }
    // ... then spread onto the nodes in contact-node and wall order, so the sums keep one order.
    for (int c = 0; c < contacts; ++c)
        for (std::size_t w = 0; w < numWalls; ++w) {
            const WallPush& push = wallForce_[c * numWalls + w];
            if (push.touches) spreadForce(contactNodes_[c], push.force);
        }
    for (const std::unique_ptr<RigidWall>& wall : walls) wall->move(dt);
}

}  // namespace zelk
