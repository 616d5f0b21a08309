// Full-scan ordering of the nodes by distance from a point.
//
// Distances are Euclidean, computed in double and stored as float; all later
// comparisons use the stored float. Equal distances keep the order that the
// exchange sort below gives, which is not the input order: any faster search
// must reproduce exactly this order.
#pragma once

#include <span>

#include "model/model.h"

namespace zelk {

// |node - point| computed in double, rounded to float.
float storedDistance(const Point& node, const double point[3]);

// Orders dist ascending, moving nodes along: for each position l, every later
// position q with dist[q] < dist[l] (strictly) is exchanged with l.
void exchangeSortByDistance(std::span<float> dist, std::span<int> nodes);

// sortedDist[k] = stored distance of node k, sortedNodes[k] = k, then the
// exchange sort. Both spans have nodes.size() entries.
void sortNodesByDistance(std::span<const Node> nodes, const double point[3],
                         std::span<int> sortedNodes, std::span<float> sortedDist);

}  // namespace zelk
