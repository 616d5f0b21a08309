// Lets the analysis ask an approximation for shape functions without knowing
// its type; the analysis library does not link the meshless one.
#pragma once

#include <string_view>

#include "analysis/point_evaluator.h"
#include "meshless/mls_approximation.h"

namespace zelk {

// Shape functions of a point from an MlsApproximation, which must outlive
// this evaluator.
class ApproximationEvaluator : public PointEvaluator {
public:
    explicit ApproximationEvaluator(MlsApproximation& approximation) : approximation_(approximation) {}
    void evaluateAt(EvPoint& point, int order, std::string_view mode) override {
        approximation_.evaluateAt(point, order, mode);
    }
    void evaluateAll(std::span<EvPoint> points, int order, std::string_view mode) override {
        approximation_.evaluateAll(points, order, mode);
    }

private:
    MlsApproximation& approximation_;
};

}  // namespace zelk
