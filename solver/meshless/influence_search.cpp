// Support sizes and the influence search. Both run either through the cell
// grid (the normal path) or by the reference full scan that sorts every node
// with the exchange sort; the two give identical results, and the full scan
// stays for the tests that prove it and for clouds the grid cannot hold.
#include <algorithm>
#include <cmath>
#include <iomanip>
#include <iostream>

#include <omp.h>

#include "input/fatal_exit.h"
#include "meshless/distance_sort.h"
#include "meshless/mls_approximation.h"
#include "model/prefault.h"

namespace zelk {

namespace {

bool isFinitePoint(const double point[3]) {
    return std::isfinite(point[0]) && std::isfinite(point[1]) && std::isfinite(point[2]);
}

}  // namespace

void MlsApproximation::computeSupportSizes() { supportSizesBy(/*useIndex=*/true); }

void MlsApproximation::referenceComputeSupportSizes() { supportSizesBy(/*useIndex=*/false); }

void MlsApproximation::supportSizesBy(bool useIndex) {
    if (settings.boxSupport()) {
        requireFixForBox();
        return;
    }
    if (isVariable()) return;
    const int n = nodeCount();
    SupportSize = 0.0;
    ++sizesRevision_;
    const int L = std::min(ptsNbInSupport, n);
    const bool indexed = useIndex && spatialIndex() != nullptr;
    // Through the grid on several threads, the radii and nearest nodes are
    // found on all of them first (on per-thread workers); the sizes are then
    // set in node order as below.
    const bool threaded = indexed && L >= 1 && omp_get_max_threads() > 1;
    std::vector<double> radius;
    std::vector<int> nearest;
    if (threaded) {
        resizeFresh(radius, static_cast<std::size_t>(n));
        resizeFresh(nearest, static_cast<std::size_t>(n) * L);
        prepareWorkers(omp_get_max_threads());
#pragma omp parallel
        {
            MlsApproximation& worker = *workers_[omp_get_thread_num()];
            worker.takeSupportSizes(*this);
#pragma omp for schedule(dynamic, 64)
            for (int j = 0; j < n; ++j) {
                radius[j] = worker.nearestSupport(j, L);
                std::copy_n(worker.sortedNodes.begin(), L, nearest.begin() + static_cast<std::ptrdiff_t>(j) * L);
            }
        }
    }
    for (int j = 0; L >= 1 && j < n; ++j) {
        const int* near = nullptr;
        double R;
        if (threaded) {
            R = radius[j];
            near = nearest.data() + static_cast<std::ptrdiff_t>(j) * L;
        } else if (indexed) {
            R = nearestSupport(j, L);
            near = sortedNodes.data();
        } else {
            const double centre[3] = {nodes_[j].x, nodes_[j].y, nodes_[j].z};
            sortNodesByDistance(nodes_, centre, sortedNodes, sortedDist);
            sortedCount_ = n;
            R = static_cast<double>(sortedDist[L - 1]) * Scale;
            near = sortedNodes.data();
        }
        // Node j's own value is assigned, so a raise from an earlier node is lost.
        SupportSize(j, 0) = R;
        for (int k = 0; k < L; ++k) {
            double& sx = SupportSize(near[k], 0);
            if (sx < R) sx = R;
        }
    }
    refreshSupportBounds();
    if (debugSwitch && debugOut.is_open()) {
        for (int j = 0; j < n; ++j)
            debugOut << std::setw(5) << j << std::setw(15) << nodes_[j].x << std::setw(15)
                     << nodes_[j].y << nodes_[j].z << std::setw(15) << SupportSize(j, 0) << "\n";
    }
}

bool MlsApproximation::findInfluenceNodes(const double point[3]) {
    return searchInfluenceNodes(point, /*useIndex=*/true);
}

bool MlsApproximation::referenceFindInfluenceNodes(const double point[3]) {
    return searchInfluenceNodes(point, /*useIndex=*/false);
}

bool MlsApproximation::searchInfluenceNodes(const double point[3], bool useIndex) {
    if (!searchNeeded) return true;
    const int n = nodeCount();
    const CellGrid* grid = useIndex && n > 0 && isFinitePoint(point) ? spatialIndex() : nullptr;

    if (settings.boxSupport()) {
        requireFixForBox();
        InflPtsNb = 0;
        const auto inBox = [&](int i) {
            const Node& node = nodes_[i];
            return std::fabs(point[0] - node.x) < SupportSize(i, 0) &&
                   std::fabs(point[1] - node.y) < SupportSize(i, 1) &&
                   std::fabs(point[2] - node.z) < SupportSize(i, 2);
        };
        if (grid) {
            // Every node whose box holds the point lies within the largest box of all.
            boxCandidates_.clear();
            grid->collectInBox(point, supportBound_, boxCandidates_);
            std::sort(boxCandidates_.begin(), boxCandidates_.end());
            for (int i : boxCandidates_)
                if (inBox(i)) appendInfluenceNode(i);
        } else {
            for (int i = 0; i < n; ++i)
                if (inBox(i)) appendInfluenceNode(i);
        }
        return InflPtsNb >= numBasisTerms;
    }

    if (isFixed()) {
        InflPtsNb = 0;
        if (grid) {
            // Every node whose sphere holds the point lies within the largest sphere.
            neighbours_.clear();
            grid->collectWithin(point, supportBound_[0], neighbours_);
            std::sort(neighbours_.begin(), neighbours_.end(),
                      [](const NodeAtDistance& a, const NodeAtDistance& b) { return a.node < b.node; });
            for (const NodeAtDistance& e : neighbours_)
                if (e.dist < SupportSize(e.node, 0)) appendInfluenceNode(e.node);
        } else {
            for (int i = 0; i < n; ++i)
                if (storedDistance(nodes_[i], point) < SupportSize(i, 0)) appendInfluenceNode(i);
        }
        if (InflPtsNb < numBasisTerms) tooFewFixedNodes(point);
        return true;
    }

    const int L = selectionLimit();
    if (!grid) {
        sortNodesByDistance(nodes_, point, sortedNodes, sortedDist);
        sortedCount_ = n;
        sortedReach_ = HUGE_VAL;
        if (!selectInfluenceNodes(n, L)) return false;
    } else {
        bool enough;
        if (isVariable()) {
            sortNearest(point, std::clamp(ptsNbInSupport, 1, n));
            // The point's radius may reach past the sorted nodes when Scale > 1.
            if (L >= 1) {
                const double r = static_cast<double>(sortedDist[std::min(L, n) - 1]) * Scale;
                if (r > sortedReach_) sortWithin(point, r);
            }
            enough = selectInfluenceNodes(sortedCount_, L);
        } else {
            sortForSelection(point, L);
            enough = selectInfluenceNodes(sortedCount_, L);
        }
        if (!enough) return false;
    }
    if (SingularCheck) singularCheck(point);
    return true;
}

int MlsApproximation::selectionLimit() const {
    if (InflDomain.compare(0, 3, "SEL") == 0 || isVariable()) return ptsNbInSupport;
    if (InflDomain.compare(0, 3, "ALL") == 0 || isFixed()) return maxInflPts;
    std::cout << "*** Error *** Invalid type of influence domain (" << InflDomain << ").\n";
    fatalExit(1);
}

bool MlsApproximation::selectInfluenceNodes(int count, int L) {
    InflPtsNb = 0;

    if (isVariable()) {
        // The point gets its own sphere, reaching its L-th nearest node.
        if (L < 1 || count < 1) return false;
        const double r = static_cast<double>(sortedDist[std::min(L, count) - 1]) * Scale;
        currentSupport[0] = r;
        for (int k = 0; k < count; ++k)
            if (sortedDist[k] <= r) appendInfluenceNode(sortedNodes[k]);
        return InflPtsNb >= numBasisTerms;
    }

    // Nearest first, each node only if its own sphere reaches the point.
    for (int k = 0; k < count; ++k) {
        const int a = sortedNodes[k];
        if (sortedDist[k] <= SupportSize(a, 0)) {
            appendInfluenceNode(a);
            if (InflPtsNb == L) break;
        }
    }
    return InflPtsNb >= numBasisTerms;
}

void MlsApproximation::singularCheck(const double point[3]) {
    const int n = nodeCount();
    const int first = InflPtsNb;  // first sorted entry not taken by the selection
    for (int k = first;; ++k) {
        assembleMoments(point, /*withDerivs=*/false, /*fillB=*/false);
        if (factorMomentMatrix(/*reportZeroDiagonal=*/false)) return;
        if (k >= n) {
            // Every farther node has been tried, the last one included.
            if (k > first) {
                if (quiet_) throw FatalExit{1};
                std::cerr << "*** Error *** SingularCheck : Matrix A is singular !\n";
                fatalExit(1);
            }
            return;
        }
        // Swap the farthest listed node for the next sorted one and widen its support.
        extendSortedPrefix(point, k + 1);
        const int a = sortedNodes[k];
        inflPts(InflPtsNb - 1) = a;
        const double reach = static_cast<double>(sortedDist[k]) * Scale;
        supportChanges_.push_back({a, SupportSize(a, 0), reach});
        SupportSize(a, 0) = reach;
        ++sizesRevision_;
        supportBound_[0] = std::max(supportBound_[0], reach);
        if (isVariable()) currentSupport[0] = reach;
    }
}

void MlsApproximation::tooFewFixedNodes(const double point[3]) const {
    if (quiet_) throw FatalExit{1};
    std::cout << "*** Error*** Too few inflence nodes at point " << std::scientific
              << std::setprecision(4) << "{ ";
    for (int k = 0; k < 3; ++k) std::cout << std::setw(8) << point[k] << "   ";
    std::cout << " } " << "\n" << InflPtsNb << "\n";
    // The support of the second node, as a hint to the size in use.
    if (nodeCount() > 1) std::cout << SupportSize(1, 0);
    std::cout.flush();
    fatalExit(1);
}

}  // namespace zelk
