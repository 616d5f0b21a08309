#include "analysis/influence_table.h"

#include <algorithm>

namespace zelk {

void InfluenceTable::reserve(int numPoints, int entriesPerPoint, bool withDerivs) {
    const std::size_t entries = static_cast<std::size_t>(numPoints) * static_cast<std::size_t>(entriesPerPoint);
    offset.reserve(static_cast<std::size_t>(numPoints) + 1);
    node.reserve(entries);
    value.reserve(entries);
    if (withDerivs) deriv.reserve(entries);
}

namespace {

bool validRow(const EvPoint& point, int numNodes) {
    const std::size_t count = static_cast<std::size_t>(point.inflPtsNb);
    if (point.inflPtsNb < 0 || point.inflPts.size() < count || point.shapeValues.size() < count) return false;
    for (std::size_t k = 0; k < count; ++k)
        if (point.inflPts[k] < 0 || point.inflPts[k] >= numNodes) return false;
    return true;
}

}  // namespace

int InfluenceTable::append(std::span<const EvPoint> points, int numNodes, bool withDerivs) {
    const int count = static_cast<int>(points.size());
    int firstInvalid = count;
#pragma omp parallel for schedule(static) reduction(min : firstInvalid) if (count > kParallelCopyPoints)
    for (int i = 0; i < count; ++i)
        if (!validRow(points[i], numNodes)) firstInvalid = std::min(firstInvalid, i);
    if (firstInvalid < count) return firstInvalid;

    const int firstRow = numPoints();
    for (const EvPoint& point : points) offset.push_back(offset.back() + point.inflPtsNb);
    const std::size_t entries = static_cast<std::size_t>(offset.back());
    node.resize(entries);
    value.resize(entries);
    if (withDerivs) deriv.resize(entries);
#pragma omp parallel for schedule(static) if (count > kParallelCopyPoints)
    for (int i = 0; i < count; ++i) {
        const EvPoint& point = points[i];
        const std::size_t start = static_cast<std::size_t>(offset[firstRow + i]);
        const std::size_t length = static_cast<std::size_t>(point.inflPtsNb);
        std::copy_n(point.inflPts.begin(), length, node.begin() + start);
        std::copy_n(point.shapeValues.begin(), length, value.begin() + start);
        if (!withDerivs) continue;
        if (point.shapeDerivs.size() >= length)
            std::copy_n(point.shapeDerivs.begin(), length, deriv.begin() + start);
        else
            std::fill_n(deriv.begin() + start, length, std::array<double, 3>{0.0, 0.0, 0.0});
    }
    return -1;
}

}  // namespace zelk
