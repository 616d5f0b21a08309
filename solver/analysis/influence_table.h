// Influence data of many points in flat arrays (compressed rows): the entries
// of point p are offset[p] .. offset[p + 1] - 1 of node, value and deriv. The
// time-step loops walk these arrays front to back without any allocation.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "model/model.h"

namespace zelk {

struct InfluenceTable {
    std::vector<int> offset{0};                   // numPoints + 1 row starts
    std::vector<int> node;                        // 0-based influence node of each entry
    std::vector<double> value;                    // shape-function value of each entry
    std::vector<std::array<double, 3>> deriv;     // d/dx, d/dy, d/dz of each entry [1 / length]; empty
                                                  // in a table built without derivatives

    int numPoints() const { return static_cast<int>(offset.size()) - 1; }
    int numEntries() const { return static_cast<int>(node.size()); }

    // Room for the rows of numPoints points of entriesPerPoint entries each,
    // so that a table whose size is known ahead is filled without regrowth.
    void reserve(int numPoints, int entriesPerPoint, bool withDerivs);

    // Appends the influence list of a point. withDerivs: derivatives are copied
    // when the point holds them, zeros are stored otherwise; without, none are
    // kept. Returns false (and appends nothing) when the lists disagree in
    // length or name a node outside 0..numNodes-1.
    bool append(const EvPoint& point, int numNodes, bool withDerivs = true);
};

}  // namespace zelk
