// The sorted prefix of the indexed search: the nodes within a reach of the
// point, ordered exactly as the full exchange sort of every node orders them.
//
// By the prefix property of exchangeSortByDistance, the full sort puts the
// nodes with stored distance <= T first, in the order the same sort gives to
// just those nodes taken in node-index order. So the grid gathers them, they
// are put back into index order and sorted by the very same routine.
#include <algorithm>
#include <cmath>

#include "meshless/distance_sort.h"
#include "meshless/mls_approximation.h"

namespace zelk {

const CellGrid* MlsApproximation::spatialIndex() {
    if (!grid_ || grid_->nodeCount() != nodeCount())
        grid_ = std::make_shared<const CellGrid>(NodeTableAdaptor(nodes_));
    return grid_->usable() ? grid_.get() : nullptr;
}

void MlsApproximation::sortNeighbours(double reach) {
    std::sort(neighbours_.begin(), neighbours_.end(),
              [](const NodeAtDistance& a, const NodeAtDistance& b) { return a.node < b.node; });
    const int m = static_cast<int>(neighbours_.size());
    for (int k = 0; k < m; ++k) {
        sortedNodes[k] = neighbours_[k].node;
        sortedDist[k] = neighbours_[k].dist;
    }
    exchangeSortByDistance(std::span<float>(sortedDist).first(m), std::span<int>(sortedNodes).first(m));
    sortedCount_ = m;
    sortedReach_ = m == nodeCount() ? HUGE_VAL : reach;
}

void MlsApproximation::sortWithin(const double point[3], double radius) {
    neighbours_.clear();
    spatialIndex()->collectWithin(point, radius, neighbours_);
    sortNeighbours(radius);
}

float MlsApproximation::sortNearest(const double point[3], int k) {
    const CellGrid& grid = *spatialIndex();
    // First reach: a little beyond the last answer, which suits neighbouring
    // points; else a sphere of about k nodes at the grid's mean density.
    double radius = radiusGuess_ > 0.0
                        ? radiusGuess_
                        : grid.cellSize() * std::cbrt(k / CellGrid::kDefaultNodesPerCell);
    for (;;) {
        neighbours_.clear();
        grid.collectWithin(point, radius, neighbours_);
        if (static_cast<int>(neighbours_.size()) >= k) break;
        radius *= 2.0;
        if (!std::isfinite(radius)) {
            // Unreachable for finite coordinates; the full sort is always right.
            sortNodesByDistance(nodes_, point, sortedNodes, sortedDist);
            sortedCount_ = nodeCount();
            sortedReach_ = HUGE_VAL;
            return sortedDist[k - 1];
        }
    }
    // The k-th smallest stored distance; every node within it has been gathered.
    kthScratch_.clear();
    for (const NodeAtDistance& e : neighbours_) kthScratch_.push_back(e.dist);
    std::nth_element(kthScratch_.begin(), kthScratch_.begin() + (k - 1), kthScratch_.end());
    const float kth = kthScratch_[k - 1];
    std::erase_if(neighbours_, [kth](const NodeAtDistance& e) { return e.dist > kth; });
    sortNeighbours(kth);
    radiusGuess_ = kth > 0.0f ? 1.2 * kth : 0.0;
    return kth;
}

void MlsApproximation::sortForSelection(const double point[3], int limit) {
    const CellGrid& grid = *spatialIndex();
    const int n = nodeCount();
    // No node beyond the largest sphere can be taken.
    const double bound = supportBound_[0];
    double radius = std::min(selectionGuess_ > 0.0 ? selectionGuess_ : grid.cellSize() * 2.0, bound);
    float last = -HUGE_VALF;  // distance of the last node the walk takes
    while (radius >= 0.0) {
        neighbours_.clear();
        grid.collectWithin(point, radius, neighbours_);
        kthScratch_.clear();
        for (const NodeAtDistance& e : neighbours_)
            if (e.dist <= SupportSize(e.node, 0)) kthScratch_.push_back(e.dist);
        const int taken = static_cast<int>(kthScratch_.size());
        if (limit >= 1 && taken >= limit) {
            // Every node that reaches the point nearer than this one was gathered.
            std::nth_element(kthScratch_.begin(), kthScratch_.begin() + (limit - 1), kthScratch_.end());
            last = kthScratch_[limit - 1];
            break;
        }
        if (radius >= bound || static_cast<int>(neighbours_.size()) == n) {
            if (taken > 0) last = *std::max_element(kthScratch_.begin(), kthScratch_.end());
            break;
        }
        radius = std::min(std::max(2.0 * radius, grid.cellSize()), bound);
    }
    // Sort only up to that node: the walk stops there or finds nothing beyond.
    std::erase_if(neighbours_, [last](const NodeAtDistance& e) { return !(e.dist <= last); });
    sortNeighbours(last);
    selectionGuess_ = last > 0.0f ? 1.2 * last : 0.0;
}

void MlsApproximation::extendSortedPrefix(const double point[3], int count) {
    const int n = nodeCount();
    while (sortedCount_ < count && sortedCount_ < n) {
        const double reach = std::max(2.0 * sortedReach_, spatialIndex()->cellSize());
        sortWithin(point, std::isfinite(reach) ? reach : HUGE_VAL);
    }
}

void MlsApproximation::refreshSupportBounds() {
    ++sizesRevision_;
    for (int a = 0; a < 3; ++a) {
        double largest = -HUGE_VAL;
        // std::max keeps the first argument against a NaN: a NaN size reaches nothing.
        for (int i = 0; i < nodeCount(); ++i) largest = std::max(largest, SupportSize(i, a));
        supportBound_[a] = largest;
    }
}

}  // namespace zelk
