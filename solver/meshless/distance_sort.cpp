#include "meshless/distance_sort.h"

#include <cassert>
#include <cmath>
#include <utility>

namespace zelk {

void exchangeSortByDistance(std::span<float> dist, std::span<int> nodes) {
    assert(dist.size() == nodes.size());
    const std::size_t n = dist.size();
    for (std::size_t l = 0; l + 1 < n; ++l)
        for (std::size_t q = l + 1; q < n; ++q)
            if (dist[q] < dist[l]) {
                std::swap(dist[q], dist[l]);
                std::swap(nodes[q], nodes[l]);
            }
}

void sortNodesByDistance(std::span<const Node> nodes, const double point[3],
                         std::span<int> sortedNodes, std::span<float> sortedDist) {
    assert(sortedNodes.size() >= nodes.size() && sortedDist.size() >= nodes.size());
    const std::size_t n = nodes.size();
    for (std::size_t k = 0; k < n; ++k) {
        sortedDist[k] = storedDistance(nodes[k], point);
        sortedNodes[k] = static_cast<int>(k);
    }
    exchangeSortByDistance(sortedDist.first(n), sortedNodes.first(n));
}

}  // namespace zelk
