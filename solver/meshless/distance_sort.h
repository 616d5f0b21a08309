// Full-scan ordering of the nodes by distance from a point.
//
// Distances are Euclidean, computed in double and stored as float; all later
// comparisons use the stored float. Equal distances keep the order that the
// exchange sort below gives, which is not the input order: any faster search
// must reproduce exactly this order.
#pragma once

#include <cmath>
#include <span>

#include "model/model.h"

namespace zelk {

// |node - point| computed in double, rounded to float. Inline: the spatial
// index calls it for every node it visits.
inline float storedDistance(const Point& node, const double point[3]) {
    const double dx = node.x - point[0];
    const double dy = node.y - point[1];
    const double dz = node.z - point[2];
    return static_cast<float>(std::sqrt(dx * dx + dy * dy + dz * dz));
}

// Orders dist ascending, moving nodes along: for each position l, every later
// position q with dist[q] < dist[l] (strictly) is exchanged with l.
//
// Prefix property (what lets the indexed search sort only a few nodes): for
// any bound T, the entries with dist <= T end up first, in the order that this
// sort gives to just those entries taken in their original order. In a pass,
// the running minimum is exchanged only for strictly smaller entries, so an
// entry above T is never exchanged after an entry <= T has been met; the
// entries <= T therefore see exactly the exchanges they would see alone.
void exchangeSortByDistance(std::span<float> dist, std::span<int> nodes);

// sortedDist[k] = stored distance of node k, sortedNodes[k] = k, then the
// exchange sort. Both spans have nodes.size() entries.
void sortNodesByDistance(std::span<const Node> nodes, const double point[3],
                         std::span<int> sortedNodes, std::span<float> sortedDist);

}  // namespace zelk
