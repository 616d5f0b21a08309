#include "analysis/transposed_table.h"

namespace zelk {

void TransposedTable::build(const InfluenceTable& table, int numNodes) {
    offset.assign(static_cast<std::size_t>(numNodes) + 1, 0);
    for (int n : table.node) ++offset[n + 1];
    for (int i = 0; i < numNodes; ++i) offset[i + 1] += offset[i];
    point.resize(table.node.size());
    deriv.resize(table.node.size());
    std::vector<int> next(offset.begin(), offset.end() - 1);
    for (int p = 0; p < table.numPoints(); ++p)
        for (int k = table.offset[p]; k < table.offset[p + 1]; ++k) {
            const int slot = next[table.node[k]]++;
            point[slot] = p;
            deriv[slot] = table.deriv[k];
        }
}

}  // namespace zelk
