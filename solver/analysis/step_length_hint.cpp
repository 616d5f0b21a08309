// The hint after the Jacobian stop: a collapsing point almost always means the
// step was too long for the node spacing, so the hint estimates the largest
// stable STEPTIME value from the spacing and the wave speeds.
#include <algorithm>
#include <cmath>
#include <iomanip>
#include <limits>
#include <ostream>

#include "analysis/dynamic_analysis.h"

namespace zelk {

namespace {

// Smallest non-zero distance between two nodes: a sweep over the nodes sorted
// by x that stops comparing once the x gap alone exceeds the best distance.
double smallestNodeSpacing(const std::vector<Node>& nodes) {
    std::vector<const Node*> sorted;
    sorted.reserve(nodes.size());
    for (const Node& node : nodes) sorted.push_back(&node);
    std::sort(sorted.begin(), sorted.end(), [](const Node* a, const Node* b) { return a->x < b->x; });
    double best = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < sorted.size(); ++i) {
        for (std::size_t j = i + 1; j < sorted.size() && sorted[j]->x - sorted[i]->x < best; ++j) {
            const double distance = std::hypot(sorted[j]->x - sorted[i]->x, sorted[j]->y - sorted[i]->y,
                                               sorted[j]->z - sorted[i]->z);
            if (distance > 0.0) best = std::min(best, distance);
        }
    }
    return best;
}

}  // namespace

void DynamicAnalysis::printStepLengthHint(std::ostream& out, int point) const {
    const Material& material = referenceMaterial();
    const double nu = material.poissonRatio;
    // The step is STEPTIME / c_bar; it is stable while shorter than h / c_dilatational.
    const double speedRatio = std::sqrt((1.0 + nu) * (1.0 - 2.0 * nu) / (1.0 - nu));
    const double spacing = smallestNodeSpacing(model->nodes);
    out << std::defaultfloat << std::setprecision(4) << "    Hint : at step " << currentStep_ << ", integration point " << point + 1
        << ": the step length (STEPTIME " << stepLength << ") is probably too large for the node spacing;"
        << " with the smallest node spacing " << spacing << " and the wave speed of material " << material.name
        << ", STEPTIME should be at most about " << spacing * speedRatio << " (the examples use a fifth of the spacing, "
        << spacing / 5.0 << ")\n";
}

}  // namespace zelk
