// Uniform cell grid over the nodes: the spatial index of the influence search.
//
// The bounding box of the nodes is cut into cubic cells of one edge length;
// each cell lists its nodes in node-index order. A query visits the cells that
// a sphere or box around the point can reach and appends to a caller-given
// result set. The sphere query compares the stored single-precision distance
// (the same value the full scan sorts on), never a squared one, so it returns
// exactly the nodes the full scan would find within the radius.
//
// Cell ranges are widened by a small safety margin before the exact test: a
// node is assigned to its cell by the same rounded arithmetic that turns the
// query's reach into a cell range, and that arithmetic is monotone, so a node
// within reach is never in a cell outside the range.
#pragma once

#include <vector>

#include "meshless/node_table_adaptor.h"

namespace zelk {

// One node and its stored distance to the query point.
struct NodeAtDistance {
    int node;
    float dist;
};

// Result set of a sphere query, in no particular order.
using NeighbourSet = std::vector<NodeAtDistance>;

class CellGrid {
public:
    // Nodes per cell on average: of 1, 2, 4 and 8, one a cell gathered the 18
    // nearest fastest at 125,000 nodes (2 to 8 were up to 1.8 times slower).
    static constexpr double kDefaultNodesPerCell = 1.0;

    explicit CellGrid(const NodeTableAdaptor& nodes, double nodesPerCell = kDefaultNodesPerCell);
    CellGrid(const CellGrid&) = delete;
    CellGrid& operator=(const CellGrid&) = delete;

    // False when a coordinate is not finite: no cell can hold such a node, and
    // the caller must scan the node table instead.
    bool usable() const { return usable_; }
    int nodeCount() const { return static_cast<int>(cellPoints_.size()); }
    // Edge length of the cells.
    double cellSize() const { return cellSize_; }

    // Appends every node whose stored distance to the point is <= radius.
    void collectWithin(const double point[3], double radius, NeighbourSet& out) const;
    // Appends every node that can satisfy |p_a - x_a| < halfWidth[a] on all
    // three axes, and perhaps a few more: the caller applies its exact test.
    void collectInBox(const double point[3], const double halfWidth[3], std::vector<int>& out) const;

private:
    // Cell index along an axis, clamped to the grid; v must be finite.
    int cellOf(double v, int axis) const;
    // Cells reached by [point - reach, point + reach] (margin added); false when none.
    bool cellRange(const double point[3], const double reach[3], int lo[3], int hi[3]) const;
    int cellNumber(int i, int j, int k) const { return i + dims_[0] * (j + dims_[1] * k); }

    bool usable_ = true;
    double origin_[3] = {0.0, 0.0, 0.0};  // lower corner of the bounding box
    double cellSize_ = 1.0;
    double invCellSize_ = 1.0;
    int dims_[3] = {1, 1, 1};               // cells per axis
    std::vector<int> cellStart_;            // nodes of cell c: cellPoints_[cellStart_[c] .. cellStart_[c+1])
    std::vector<Point> cellPoints_;         // node coordinates, cell by cell
    std::vector<int> cellNodes_;            // their node indices, ascending within a cell
};

}  // namespace zelk
