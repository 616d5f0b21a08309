// Shape functions of a model of several bodies: each body has its own
// approximation over its own nodes (and so its own cell grid), so that bodies
// that touch are not glued together by shared shape functions.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "analysis/point_evaluator.h"
#include "meshless/cell_grid.h"
#include "meshless/mls_approximation.h"

namespace zelk {

class BodyEvaluator : public PointEvaluator {
public:
    // One approximation per body of the nodes, with the settings of whole;
    // nodes and whole must outlive the evaluator.
    BodyEvaluator(const MlsApproximation& whole, const std::vector<Node>& nodes, int bodyCount);

    // A point of body b (point.body) is evaluated among body b's nodes only; a
    // point of body -1 belongs to the body of its nearest node. The influence
    // list stored in the point holds node numbers of the whole model.
    void evaluateAt(EvPoint& point, int order, std::string_view mode) override;

private:
    // Body of the node nearest to the point (the lowest number among equals).
    int nearestNodeBody(const EvPoint& point) const;

    const std::vector<Node>& nodes_;
    std::vector<int> localIndex_;                  // per node: its index within its body
    std::vector<std::vector<int>> globalIndex_;    // per body: model node of each body node
    std::vector<std::vector<Node>> bodyNodes_;     // per body: its nodes
    std::vector<std::unique_ptr<MlsApproximation>> parts_;  // per body; null for a body without nodes
    CellGrid allNodes_;                            // finds the nearest node of a point of body -1
};

}  // namespace zelk
