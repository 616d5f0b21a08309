// Small helpers shared by the meshless tests.
#pragma once

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "model/model.h"

namespace zelk::testing_meshless {

inline Node makeNode(double x, double y, double z) {
    Node node;
    node.x = x;
    node.y = y;
    node.z = z;
    return node;
}

// Regular grid of nx * ny * nz nodes with the given spacing, x fastest.
inline std::vector<Node> gridNodes(int nx, int ny, int nz, double h = 1.0) {
    std::vector<Node> nodes;
    for (int k = 0; k < nz; ++k)
        for (int j = 0; j < ny; ++j)
            for (int i = 0; i < nx; ++i) nodes.push_back(makeNode(i * h, j * h, k * h));
    return nodes;
}

// Grid nodes moved by up to +-jitter * h in every direction (fixed seed).
inline std::vector<Node> jitteredNodes(int nx, int ny, int nz, double h, double jitter, unsigned seed) {
    std::vector<Node> nodes = gridNodes(nx, ny, nz, h);
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> shift(-jitter * h, jitter * h);
    for (Node& node : nodes) {
        node.x += shift(random);
        node.y += shift(random);
        node.z += shift(random);
    }
    return nodes;
}

}  // namespace zelk::testing_meshless
