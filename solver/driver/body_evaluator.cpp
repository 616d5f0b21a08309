#include "driver/body_evaluator.h"

#include <cmath>
#include <iostream>

#include "input/fatal_exit.h"

namespace zelk {

BodyEvaluator::BodyEvaluator(const MlsApproximation& whole, const std::vector<Node>& nodes, int bodyCount)
    : nodes_(nodes),
      localIndex_(nodes.size()),
      globalIndex_(static_cast<std::size_t>(bodyCount)),
      bodyNodes_(static_cast<std::size_t>(bodyCount)),
      parts_(static_cast<std::size_t>(bodyCount)),
      allNodes_(NodeTableAdaptor(nodes)) {
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const auto body = static_cast<std::size_t>(nodes[i].body);
        localIndex_[i] = static_cast<int>(bodyNodes_[body].size());
        bodyNodes_[body].push_back(nodes[i]);
        globalIndex_[body].push_back(static_cast<int>(i));
    }
    // The node tables are complete: the approximations keep references to them.
    for (std::size_t b = 0; b < parts_.size(); ++b)
        if (!bodyNodes_[b].empty()) parts_[b] = whole.restrictedTo(bodyNodes_[b], globalIndex_[b]);
}

int BodyEvaluator::nearestNodeBody(const EvPoint& point) const {
    const double x[3] = {point.x, point.y, point.z};
    NeighbourSet near;
    double radius = allNodes_.cellSize();
    while (allNodes_.usable() && near.empty() && std::isfinite(radius)) {
        allNodes_.collectWithin(x, radius, near);
        radius *= 2.0;
    }
    int best = 0;
    float bestDist = HUGE_VALF;
    for (const NodeAtDistance& e : near)
        if (e.dist < bestDist || (e.dist == bestDist && e.node < best)) {
            best = e.node;
            bestDist = e.dist;
        }
    return nodes_[static_cast<std::size_t>(best)].body;
}

void BodyEvaluator::evaluateAt(EvPoint& point, int order, std::string_view mode) {
    const int body = point.body >= 0 ? point.body : nearestNodeBody(point);
    if (body >= static_cast<int>(parts_.size()) || !parts_[static_cast<std::size_t>(body)]) {
        std::cout << "*** Error *** Dynamics : body " << body + 1 << " has no nodes\n";
        fatalExit(1);
    }
    const auto b = static_cast<std::size_t>(body);
    // A list found before in the whole model is kept only when it lies in the body.
    for (int& node : point.inflPts) {
        if (node < 0 || node >= static_cast<int>(nodes_.size()) || nodes_[static_cast<std::size_t>(node)].body != body) {
            point.inflPts.clear();
            break;
        }
        node = localIndex_[static_cast<std::size_t>(node)];
    }
    parts_[b]->evaluateAt(point, order, mode);
    for (int& node : point.inflPts) node = globalIndex_[b][static_cast<std::size_t>(node)];
}

}  // namespace zelk
