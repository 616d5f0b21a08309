// Small helpers shared by the meshless tests.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
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

// Runs each test in a fresh empty folder, so files the code writes
// ("Node.dat", "DEBUG.OUT") land there and are read back from there.
class InTempFolder : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = std::filesystem::current_path();
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ = std::filesystem::temp_directory_path() /
                  (std::string("zelk_meshless_") + info->test_suite_name() + "_" + info->name());
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        std::filesystem::current_path(folder_);
    }
    void TearDown() override {
        std::filesystem::current_path(previous_);
        std::filesystem::remove_all(folder_);
    }

private:
    std::filesystem::path previous_;
    std::filesystem::path folder_;
};

}  // namespace zelk::testing_meshless
