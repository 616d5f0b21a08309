// The influence table read by node: for each node, the entries that name it,
// in entry order, which is point order. A node that sums its points'
// contributions along its row adds exactly the terms a point-by-point scatter
// adds to it, in the same order, so the sums are the same to the last bit
// while the nodes can be summed on any number of threads.
#pragma once

#include <array>
#include <vector>

#include "analysis/influence_table.h"

namespace zelk {

struct TransposedTable {
    std::vector<int> offset{0};  // numNodes + 1 row starts
    std::vector<int> point;      // the point (row of the influence table) each entry belongs to
    // The entries' derivatives in this order: the node sums read them in
    // sequence instead of from all over the point table.
    std::vector<std::array<double, 3>> deriv;

    void build(const InfluenceTable& table, int numNodes);
};

}  // namespace zelk
