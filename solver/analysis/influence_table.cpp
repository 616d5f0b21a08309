#include "analysis/influence_table.h"

namespace zelk {

bool InfluenceTable::append(const EvPoint& point, int numNodes) {
    const std::size_t count = static_cast<std::size_t>(point.inflPtsNb);
    if (point.inflPtsNb < 0 || point.inflPts.size() < count || point.shapeValues.size() < count) return false;
    for (std::size_t k = 0; k < count; ++k)
        if (point.inflPts[k] < 0 || point.inflPts[k] >= numNodes) return false;
    const bool withDerivs = point.shapeDerivs.size() >= count;
    for (std::size_t k = 0; k < count; ++k) {
        node.push_back(point.inflPts[k]);
        value.push_back(point.shapeValues[k]);
        deriv.push_back(withDerivs ? point.shapeDerivs[k] : std::array<double, 3>{0.0, 0.0, 0.0});
    }
    offset.push_back(static_cast<int>(node.size()));
    return true;
}

}  // namespace zelk
