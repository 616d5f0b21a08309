// Influence data of many points in flat arrays (compressed rows): the entries
// of point p are offset[p] .. offset[p + 1] - 1 of node, value and deriv. The
// time-step loops walk these arrays front to back without any allocation.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <span>
#include <utility>
#include <vector>

#include "model/model.h"

namespace zelk {

// An allocator whose value-less construction leaves a number unset, so that
// growing a table before its rows are copied in does not first write zeros
// over it (on one thread, touching every fresh page there).
template <typename T>
struct UnsetAllocator : std::allocator<T> {
    template <typename U>
    struct rebind {
        using other = UnsetAllocator<U>;
    };
    UnsetAllocator() = default;
    template <typename U>
    UnsetAllocator(const UnsetAllocator<U>&) noexcept {}
    template <typename U>
    void construct(U* place) noexcept {
        ::new (static_cast<void*>(place)) U;
    }
    template <typename U, typename... Args>
    void construct(U* place, Args&&... args) {
        ::new (static_cast<void*>(place)) U(std::forward<Args>(args)...);
    }
};

template <typename T>
using TableVector = std::vector<T, UnsetAllocator<T>>;

// Below this many points a parallel region costs more than copying their rows.
inline constexpr int kParallelCopyPoints = 64;

struct InfluenceTable {
    std::vector<int> offset{0};                   // numPoints + 1 row starts
    TableVector<int> node;                        // 0-based influence node of each entry
    TableVector<double> value;                    // shape-function value of each entry
    TableVector<std::array<double, 3>> deriv;     // d/dx, d/dy, d/dz of each entry [1 / length]; empty
                                                  // in a table built without derivatives

    int numPoints() const { return static_cast<int>(offset.size()) - 1; }
    int numEntries() const { return static_cast<int>(node.size()); }

    // Room for the rows of numPoints points of entriesPerPoint entries each,
    // so that a table whose size is known ahead is filled without regrowth.
    void reserve(int numPoints, int entriesPerPoint, bool withDerivs);

    // Appends the influence lists of points in order, the copying spread over
    // the threads. withDerivs: derivatives are copied when a point holds them,
    // zeros are stored otherwise; without, none are kept. Returns the index of
    // the first point whose lists disagree in length or name a node outside
    // 0..numNodes-1, appending nothing then; -1 when all were appended.
    int append(std::span<const EvPoint> points, int numNodes, bool withDerivs = true);
};

}  // namespace zelk
