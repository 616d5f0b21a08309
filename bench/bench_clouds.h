// Node clouds for the benchmarks: a cube of side^3 nodes at unit spacing,
// each moved by up to a quarter spacing (fixed seed), as a meshed part would be.
#pragma once

#include <cmath>
#include <random>
#include <vector>

#include "meshless/mls_approximation.h"
#include "model/model.h"

namespace zelk::bench {

inline std::vector<Node> cubeCloud(int nodeCount) {
    const int side = static_cast<int>(std::lround(std::cbrt(static_cast<double>(nodeCount))));
    std::mt19937 random(12345);
    std::uniform_real_distribution<double> shift(-0.25, 0.25);
    std::vector<Node> nodes;
    nodes.reserve(static_cast<std::size_t>(side) * side * side);
    for (int k = 0; k < side; ++k)
        for (int j = 0; j < side; ++j)
            for (int i = 0; i < side; ++i) {
                Node node;
                node.x = i + shift(random);
                node.y = j + shift(random);
                node.z = k + shift(random);
                nodes.push_back(node);
            }
    return nodes;
}

// Node counts of the cubes: 10^3, 20^3, 30^3, 50^3.
inline void cubeSizes(benchmark::internal::Benchmark* b) {
    for (int side : {10, 20, 30, 50}) b->Arg(side * side * side);
}

}  // namespace zelk::bench
