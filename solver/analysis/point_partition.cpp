#include "analysis/point_partition.h"

#include <algorithm>

namespace zelk {

namespace {

// A point's place in the node numbering: its lowest influence node.
int homeNode(const InfluenceTable& table, int p) {
    int home = table.node[table.offset[p]];
    for (int k = table.offset[p] + 1; k < table.offset[p + 1]; ++k) home = std::min(home, table.node[k]);
    return home;
}

}  // namespace

void PointPartition::build(const InfluenceTable& table, int numNodes, int requestedParts) {
    const int points = table.numPoints();
    parts = std::max(1, std::min(requestedParts, points));
    // Rank the points by home node (counting sort, ties in point order) and
    // give each part an equal share of the ranks.
    std::vector<int> home(points), rankStart(static_cast<std::size_t>(numNodes) + 1, 0);
    for (int p = 0; p < points; ++p) {
        home[p] = table.offset[p] < table.offset[p + 1] ? homeNode(table, p) : 0;
        ++rankStart[home[p] + 1];
    }
    for (int n = 0; n < numNodes; ++n) rankStart[n + 1] += rankStart[n];
    std::vector<int> part(points);
    for (int p = 0; p < points; ++p) {
        const long long rank = rankStart[home[p]]++;
        part[p] = static_cast<int>(rank * parts / points);
    }
    partStart.assign(parts + 1, 0);
    for (int p = 0; p < points; ++p) ++partStart[part[p] + 1];
    for (int t = 0; t < parts; ++t) partStart[t + 1] += partStart[t];
    order.resize(points);
    std::vector<int> next(partStart.begin(), partStart.end() - 1);
    for (int p = 0; p < points; ++p) order[next[part[p]]++] = p;

    // Nodes named by more than one part.
    std::vector<char> shared(numNodes, 0);
    std::vector<int> owner(numNodes, -1);
    for (int p = 0; p < points; ++p)
        for (int k = table.offset[p]; k < table.offset[p + 1]; ++k) {
            int& o = owner[table.node[k]];
            if (o < 0) o = part[p];
            else if (o != part[p]) shared[table.node[k]] = 1;
        }
    // The rows of the shared nodes, terms in point order.
    std::vector<int> row(numNodes, -1);
    sharedNode.clear();
    for (int n = 0; n < numNodes; ++n)
        if (shared[n]) {
            row[n] = static_cast<int>(sharedNode.size());
            sharedNode.push_back(n);
        }
    rowStart.assign(sharedNode.size() + 1, 0);
    for (int n : table.node)
        if (shared[n]) ++rowStart[row[n] + 1];
    for (std::size_t r = 0; r < sharedNode.size(); ++r) rowStart[r + 1] += rowStart[r];
    std::vector<int> fill(rowStart.begin(), rowStart.end() - 1);
    keptFrom.assign(points, -1);
    entryTerm.clear();
    for (int p = 0; p < points; ++p) {
        const int begin = table.offset[p], end = table.offset[p + 1];
        const auto names = table.node.begin();
        if (std::none_of(names + begin, names + end, [&](int n) { return shared[n] != 0; })) continue;
        keptFrom[p] = static_cast<int>(entryTerm.size());
        for (int k = begin; k < end; ++k)
            entryTerm.push_back(shared[table.node[k]] ? fill[row[table.node[k]]]++ : -1);
    }
}

}  // namespace zelk
