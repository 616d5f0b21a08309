#include "analysis/influence_table.h"

namespace zelk {

void InfluenceTable::reserve(int numPoints, int entriesPerPoint, bool withDerivs) {
    const std::size_t entries = static_cast<std::size_t>(numPoints) * static_cast<std::size_t>(entriesPerPoint);
    offset.reserve(static_cast<std::size_t>(numPoints) + 1);
    node.reserve(entries);
    value.reserve(entries);
    if (withDerivs) deriv.reserve(entries);
}

bool InfluenceTable::append(const EvPoint& point, int numNodes, bool withDerivs) {
    const std::size_t count = static_cast<std::size_t>(point.inflPtsNb);
    if (point.inflPtsNb < 0 || point.inflPts.size() < count || point.shapeValues.size() < count) return false;
    for (std::size_t k = 0; k < count; ++k)
        if (point.inflPts[k] < 0 || point.inflPts[k] >= numNodes) return false;
    node.insert(node.end(), point.inflPts.begin(), point.inflPts.begin() + count);
    value.insert(value.end(), point.shapeValues.begin(), point.shapeValues.begin() + count);
    if (withDerivs) {
        if (point.shapeDerivs.size() >= count)
            deriv.insert(deriv.end(), point.shapeDerivs.begin(), point.shapeDerivs.begin() + count);
        else
            deriv.resize(deriv.size() + count, std::array<double, 3>{0.0, 0.0, 0.0});
    }
    offset.push_back(static_cast<int>(node.size()));
    return true;
}

}  // namespace zelk
