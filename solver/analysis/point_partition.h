// The integration points split among threads so that the nodal forces are the
// same to the last bit whatever the number of threads.
//
// A node's force is a sum over the points that name it, and a serial sweep
// adds them in point order. Each part (one per thread) takes the points of one
// stretch of the node numbering, so most nodes are named by the points of one
// part only: that part adds their terms directly, in point order. The terms
// of the few nodes named by several parts (shared) are stored instead, each
// at its place in its node's row, in point order; once every part is done
// each shared node subtracts its row front to back.
#pragma once

#include <vector>

#include "analysis/influence_table.h"

namespace zelk {

struct PointPartition {
    int parts = 1;
    std::vector<int> partStart{0, 0};  // parts + 1 starts into order
    std::vector<int> order;            // the points of each part, each part in point order
    // Per point: where the term places of its entries start in entryTerm, or
    // -1 when it names no shared node. Per entry of those points: the place of
    // its term in the rows, or -1 when its node is not shared.
    std::vector<int> keptFrom;
    std::vector<int> entryTerm;
    // The shared nodes and where each one's row of terms starts (rowStart[r]
    // for sharedNode[r]); the rows hold rowStart.back() terms.
    std::vector<int> sharedNode;
    std::vector<int> rowStart{0};

    // Splits the points of the table into parts (at least 1) over numNodes nodes.
    void build(const InfluenceTable& table, int numNodes, int parts);
};

}  // namespace zelk
