// What the analysis needs of the meshless approximation: shape functions at
// one evaluation point, stored in the point's own record. The analysis asks
// for them only while it builds its points, so it keeps no reference to the
// approximation afterwards.
#pragma once

#include <span>
#include <string_view>

#include "model/model.h"

namespace zelk {

class PointEvaluator {
public:
    virtual ~PointEvaluator() = default;

    // Stores in the point its influence nodes (0-based), their shape-function
    // values and, for order 1, first derivatives with respect to x, y, z at the
    // point's coordinates. mode "FULL" differentiates the whole MLS fit. Does
    // not return when the shape functions cannot be formed.
    virtual void evaluateAt(EvPoint& point, int order, std::string_view mode) = 0;
    // evaluateAt for each point in turn; an evaluator may spread the work over
    // threads as long as the results are those of that order.
    virtual void evaluateAll(std::span<EvPoint> points, int order, std::string_view mode) {
        for (EvPoint& point : points) evaluateAt(point, order, mode);
    }
};

}  // namespace zelk
