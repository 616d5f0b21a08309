#include "analysis/body_contact.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "meshless/cell_grid.h"

namespace zelk {

namespace {

// Half the distance from node i to the nearest other node of its body; 0 for
// a body of one node (such a node never touches).
double halfSpacing(const std::vector<Node>& nodes, const CellGrid& grid, int i) {
    const Node& centre = nodes[static_cast<std::size_t>(i)];
    const double x[3] = {centre.x, centre.y, centre.z};
    NeighbourSet near;
    for (double reach = grid.cellSize(); std::isfinite(reach); reach *= 2.0) {
        near.clear();
        grid.collectWithin(x, reach, near);
        float nearest = std::numeric_limits<float>::infinity();
        for (const NodeAtDistance& e : near)
            if (e.node != i && nodes[static_cast<std::size_t>(e.node)].body == centre.body && e.dist > 0.0f)
                nearest = std::min(nearest, e.dist);
        if (std::isfinite(nearest)) return 0.5 * nearest;
        if (static_cast<int>(near.size()) == grid.nodeCount()) break;
    }
    return 0.0;
}

double distance(const BodyContact::Vector3& a, const BodyContact::Vector3& b) {
    return std::sqrt((b[0] - a[0]) * (b[0] - a[0]) + (b[1] - a[1]) * (b[1] - a[1]) + (b[2] - a[2]) * (b[2] - a[2]));
}

}  // namespace

void BodyContact::prepare(const Model& model, const std::vector<int>& contactNodes, const std::vector<double>& mass) {
    const CellGrid grid{NodeTableAdaptor(model.nodes)};
    const std::size_t count = contactNodes.size();
    body_.resize(count);
    radius_.resize(count);
    mass_.resize(count);
    largestRadius_ = 0.0;
    double smallest = std::numeric_limits<double>::infinity();
    for (std::size_t s = 0; s < count; ++s) {
        const int node = contactNodes[s];
        body_[s] = model.nodes[static_cast<std::size_t>(node)].body;
        radius_[s] = grid.usable() ? halfSpacing(model.nodes, grid, node) : 0.0;
        mass_[s] = mass[static_cast<std::size_t>(node)];
        largestRadius_ = std::max(largestRadius_, radius_[s]);
        if (radius_[s] > 0.0) smallest = std::min(smallest, radius_[s]);
    }
    // Half the smallest sphere: a node moves that far in many steps, and the
    // candidate list stays short.
    margin_ = std::isfinite(smallest) ? 0.5 * smallest : 0.0;
    candidates_.clear();
    searched_ = false;
    searches_ = 0;
}

void BodyContact::search(const std::vector<Vector3>& x) {
    const int count = static_cast<int>(x.size());
    std::vector<Node> current(static_cast<std::size_t>(count));
    for (int s = 0; s < count; ++s) {
        current[s].x = x[s][0];
        current[s].y = x[s][1];
        current[s].z = x[s][2];
    }
    const CellGrid grid{NodeTableAdaptor(current)};
    candidates_.clear();
    NeighbourSet near;
    for (int a = 0; a < count; ++a) {
        if (!(radius_[a] > 0.0)) continue;
        near.clear();
        // The grid keeps distances in single precision: reach a little further
        // and decide on the exact distance.
        grid.collectWithin(x[a].data(), (radius_[a] + largestRadius_ + margin_) * (1.0 + 1e-6), near);
        const std::size_t first = candidates_.size();
        for (const NodeAtDistance& e : near) {
            const int b = e.node;
            if (b > a && body_[b] != body_[a] && distance(x[a], x[b]) <= radius_[a] + radius_[b] + margin_)
                candidates_.push_back({a, b});
        }
        std::sort(candidates_.begin() + static_cast<std::ptrdiff_t>(first), candidates_.end());
    }
    searchedAt_ = x;
    searched_ = true;
    ++searches_;
}

void BodyContact::forces(const std::vector<Vector3>& x, const std::vector<Vector3>& v, double dt,
                        std::vector<Vector3>& f) {
    f.assign(x.size(), Vector3{0.0, 0.0, 0.0});
    totalForce_ = 0.0;
    // Two nodes that each moved less than half the margin are still within
    // the margin of touching if they touch now.
    double moved = 0.0;
    for (std::size_t s = 0; searched_ && s < x.size(); ++s) moved = std::max(moved, distance(x[s], searchedAt_[s]));
    if (!searched_ || !(2.0 * moved < margin_)) search(x);

    touching_ = 0;
    for (const auto& [a, b] : candidates_) {
        const double d = distance(x[a], x[b]);
        const double penetration = radius_[a] + radius_[b] - d;
        if (!(penetration > 0.0) || !(d > 0.0)) continue;
        const Vector3 n{(x[b][0] - x[a][0]) / d, (x[b][1] - x[a][1]) / d, (x[b][2] - x[a][2]) / d};
        const double closing = (v[a][0] - v[b][0]) * n[0] + (v[a][1] - v[b][1]) * n[1] + (v[a][2] - v[b][2]) * n[2];
        const double pairMass = mass_[a] * mass_[b] / (mass_[a] + mass_[b]);
        const double normal = law_.normalForce(penetration, closing, pairMass, dt);
        if (normal == 0.0) continue;
        ++touching_;
        totalForce_ += normal;
        for (int d3 = 0; d3 < 3; ++d3) {
            f[a][d3] -= normal * n[d3];
            f[b][d3] += normal * n[d3];
        }
    }
}

}  // namespace zelk
