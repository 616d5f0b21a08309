#include "meshless/cell_grid.h"

#include <algorithm>
#include <cmath>

#include "meshless/distance_sort.h"

namespace zelk {

namespace {

// Relative and absolute slack on a query's reach. It covers the float rounding
// of a stored distance (2^-24 relative), the double rounding of the distance
// and of the cell arithmetic (a few ulps of the coordinates), and distances
// that round to a subnormal float.
double reachWithMargin(double reach, double centre) {
    return reach + 1e-6 * reach + 1e-12 * std::fabs(centre) + 1e-40;
}

}  // namespace

CellGrid::CellGrid(const NodeTableAdaptor& nodes, double nodesPerCell) {
    const int n = nodes.count();
    double lower[3] = {0.0, 0.0, 0.0};
    double upper[3] = {0.0, 0.0, 0.0};
    for (int i = 0; i < n; ++i) {
        const Point& x = nodes.at(i);
        const double xyz[3] = {x.x, x.y, x.z};
        for (int a = 0; a < 3; ++a) {
            if (!std::isfinite(xyz[a])) usable_ = false;
            lower[a] = i == 0 ? xyz[a] : std::min(lower[a], xyz[a]);
            upper[a] = i == 0 ? xyz[a] : std::max(upper[a], xyz[a]);
        }
    }
    if (!usable_ || n == 0) {
        cellStart_.assign(2, 0);
        return;
    }

    // Edge length for about nodesPerCell nodes a cell, over the axes the nodes span.
    double volume = 1.0;
    int spannedAxes = 0;
    double largest = 0.0;
    for (int a = 0; a < 3; ++a) {
        origin_[a] = lower[a];
        const double extent = upper[a] - lower[a];
        largest = std::max(largest, extent);
        if (extent > 0.0) {
            volume *= extent;
            ++spannedAxes;
        }
    }
    double h = largest > 0.0 ? std::pow(volume * nodesPerCell / n, 1.0 / std::max(spannedAxes, 1)) : 1.0;
    if (!(h > 0.0) || !std::isfinite(h)) h = largest > 0.0 ? largest : 1.0;
    // Thin or strongly elongated clouds: keep the cell count near the node count.
    const double maxCells = 4.0 * n + 64.0;
    for (;;) {
        double cells = 1.0;
        for (int a = 0; a < 3; ++a) cells *= std::floor((upper[a] - lower[a]) / h) + 1.0;
        if (cells <= maxCells) break;
        h *= 1.25;
    }
    cellSize_ = h;
    invCellSize_ = 1.0 / h;
    for (int a = 0; a < 3; ++a)
        dims_[a] = static_cast<int>(std::floor((upper[a] - lower[a]) * invCellSize_)) + 1;

    // Counting sort of the nodes by cell keeps node-index order within a cell.
    const int cellCount = dims_[0] * dims_[1] * dims_[2];
    std::vector<int> cellOfNode(n);
    cellStart_.assign(cellCount + 1, 0);
    for (int i = 0; i < n; ++i) {
        const Point& x = nodes.at(i);
        cellOfNode[i] = cellNumber(cellOf(x.x, 0), cellOf(x.y, 1), cellOf(x.z, 2));
        ++cellStart_[cellOfNode[i] + 1];
    }
    for (int c = 0; c < cellCount; ++c) cellStart_[c + 1] += cellStart_[c];
    std::vector<int> fill(cellStart_.begin(), cellStart_.end() - 1);
    cellPoints_.resize(n);
    cellNodes_.resize(n);
    for (int i = 0; i < n; ++i) {
        const int slot = fill[cellOfNode[i]]++;
        cellPoints_[slot] = nodes.at(i);
        cellNodes_[slot] = i;
    }
}

int CellGrid::cellOf(double v, int axis) const {
    const double t = std::floor((v - origin_[axis]) * invCellSize_);
    return static_cast<int>(std::clamp(t, 0.0, static_cast<double>(dims_[axis] - 1)));
}

bool CellGrid::cellRange(const double point[3], const double reach[3], int lo[3], int hi[3]) const {
    for (int a = 0; a < 3; ++a) {
        const double r = reachWithMargin(reach[a], point[a]);
        const double from = std::floor((point[a] - r - origin_[a]) * invCellSize_);
        const double to = std::floor((point[a] + r - origin_[a]) * invCellSize_);
        // Written so that a NaN bound gives no cells rather than a wild index.
        if (!(to >= 0.0) || !(from <= dims_[a] - 1.0)) return false;
        lo[a] = static_cast<int>(std::max(from, 0.0));
        hi[a] = static_cast<int>(std::min(to, dims_[a] - 1.0));
    }
    return true;
}

void CellGrid::collectWithin(const double point[3], double radius, NeighbourSet& out) const {
    if (cellPoints_.empty() || !(radius >= 0.0)) return;
    const double reach[3] = {radius, radius, radius};
    int lo[3], hi[3];
    if (!cellRange(point, reach, lo, hi)) return;
    for (int k = lo[2]; k <= hi[2]; ++k)
        for (int j = lo[1]; j <= hi[1]; ++j) {
            const int rowFirst = cellNumber(lo[0], j, k);
            const int end = cellStart_[rowFirst + (hi[0] - lo[0]) + 1];
            // Cells of one row are contiguous, and so are their nodes.
            for (int s = cellStart_[rowFirst]; s < end; ++s) {
                const float d = storedDistance(cellPoints_[s], point);
                if (static_cast<double>(d) <= radius) out.push_back({cellNodes_[s], d});
            }
        }
}

void CellGrid::collectInBox(const double point[3], const double halfWidth[3], std::vector<int>& out) const {
    if (cellPoints_.empty()) return;
    int lo[3], hi[3];
    if (!cellRange(point, halfWidth, lo, hi)) return;
    for (int k = lo[2]; k <= hi[2]; ++k)
        for (int j = lo[1]; j <= hi[1]; ++j) {
            const int rowFirst = cellNumber(lo[0], j, k);
            const int end = cellStart_[rowFirst + (hi[0] - lo[0]) + 1];
            for (int s = cellStart_[rowFirst]; s < end; ++s) out.push_back(cellNodes_[s]);
        }
}

}  // namespace zelk
