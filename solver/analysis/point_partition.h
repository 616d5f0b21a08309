// The integration points split among threads so that the nodal forces are the
// same to the last bit whatever the number of threads.
//
// A node's force is a sum over the points that name it, and a serial sweep
// adds them in point order. Each part (one per thread) takes the points of one
// stretch of the node numbering, so most nodes are named by the points of one
// part only: that part adds their terms directly, in point order. The few
// nodes named by several parts (shared) are left alone meanwhile; the points
// that name them keep their weighted stresses, and once every part is done
// each shared node sums its terms along its row, again in point order.
#pragma once

#include <vector>

#include "analysis/influence_table.h"

namespace zelk {

struct PointPartition {
    int parts = 1;
    std::vector<int> partStart{0, 0};  // parts + 1 starts into order
    std::vector<int> order;            // the points of each part, each part in point order
    std::vector<char> shared;          // per node: named by the points of more than one part
    std::vector<int> slot;             // per point: where its stress is kept, -1 when it names no shared node
    int slots = 0;
    // For each shared node (sharedNode[r]), the entries that name it in point
    // order: the slot of the entry's point and the entry (its place in the table).
    std::vector<int> sharedNode;
    std::vector<int> rowStart{0};
    std::vector<int> rowSlot;
    std::vector<int> rowEntry;

    // Splits the points of the table into parts (at least 1) over numNodes nodes.
    void build(const InfluenceTable& table, int numNodes, int parts);
};

}  // namespace zelk
