// Support sizes and the reference influence search: a full scan of the nodes,
// ordered by an exchange sort on single-precision distances.
#include <algorithm>
#include <cmath>
#include <iomanip>
#include <iostream>

#include "input/fatal_exit.h"
#include "meshless/distance_sort.h"
#include "meshless/mls_approximation.h"

namespace zelk {

void MlsApproximation::computeSupportSizes() {
    if (settings.boxSupport()) {
        requireFixForBox();
        return;
    }
    if (isVariable()) return;
    const int n = nodeCount();
    SupportSize = 0.0;
    const int L = std::min(ptsNbInSupport, n);
    for (int j = 0; L >= 1 && j < n; ++j) {
        const double centre[3] = {nodes_[j].x, nodes_[j].y, nodes_[j].z};
        sortNodesByDistance(nodes_, centre, sortedNodes, sortedDist);
        const double R = static_cast<double>(sortedDist[L - 1]) * Scale;
        // Node j's own value is assigned, so a raise from an earlier node is lost.
        SupportSize(j, 0) = R;
        for (int k = 0; k < L; ++k) {
            double& sx = SupportSize(sortedNodes[k], 0);
            if (sx < R) sx = R;
        }
    }
    if (debugSwitch && debugOut.is_open()) {
        for (int j = 0; j < n; ++j)
            debugOut << std::setw(5) << j << std::setw(15) << nodes_[j].x << std::setw(15)
                     << nodes_[j].y << nodes_[j].z << std::setw(15) << SupportSize(j, 0) << "\n";
    }
}

bool MlsApproximation::findInfluenceNodes(const double point[3]) {
    return referenceFindInfluenceNodes(point);
}

bool MlsApproximation::referenceFindInfluenceNodes(const double point[3]) {
    if (!searchNeeded) return true;
    const int n = nodeCount();

    if (settings.boxSupport()) {
        requireFixForBox();
        InflPtsNb = 0;
        for (int i = 0; i < n; ++i) {
            const Node& node = nodes_[i];
            if (std::fabs(point[0] - node.x) < SupportSize(i, 0) &&
                std::fabs(point[1] - node.y) < SupportSize(i, 1) &&
                std::fabs(point[2] - node.z) < SupportSize(i, 2))
                appendInfluenceNode(i);
        }
        return InflPtsNb >= numBasisTerms;
    }

    if (isFixed()) {
        InflPtsNb = 0;
        for (int i = 0; i < n; ++i)
            if (storedDistance(nodes_[i], point) < SupportSize(i, 0)) appendInfluenceNode(i);
        if (InflPtsNb < numBasisTerms) tooFewFixedNodes(point);
        return true;
    }

    sortNodesByDistance(nodes_, point, sortedNodes, sortedDist);
    if (!selectInfluenceNodes(n)) return false;
    if (SingularCheck) singularCheck(point);
    return true;
}

bool MlsApproximation::selectInfluenceNodes(int n) {
    int L;
    if (InflDomain.compare(0, 3, "SEL") == 0 || isVariable()) {
        L = ptsNbInSupport;
    } else if (InflDomain.compare(0, 3, "ALL") == 0 || isFixed()) {
        L = maxInflPts;
    } else {
        std::cout << "*** Error *** Invalid type of influence domain (" << InflDomain << ").\n";
        fatalExit(1);
    }
    InflPtsNb = 0;

    if (isVariable()) {
        // The point gets its own sphere, reaching its L-th nearest node.
        if (L < 1 || n < 1) return false;
        const double r = static_cast<double>(sortedDist[std::min(L, n) - 1]) * Scale;
        currentSupport[0] = r;
        for (int k = 0; k < n; ++k)
            if (sortedDist[k] <= r) appendInfluenceNode(sortedNodes[k]);
        return InflPtsNb >= numBasisTerms;
    }

    // Nearest first, each node only if its own sphere reaches the point.
    for (int k = 0; k < n; ++k) {
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
                std::cerr << "*** Error *** SingularCheck : Matrix A is singular !\n";
                fatalExit(1);
            }
            return;
        }
        // Swap the farthest listed node for the next sorted one and widen its support.
        const int a = sortedNodes[k];
        inflPts(InflPtsNb - 1) = a;
        const double reach = static_cast<double>(sortedDist[k]) * Scale;
        SupportSize(a, 0) = reach;
        if (isVariable()) currentSupport[0] = reach;
    }
}

void MlsApproximation::tooFewFixedNodes(const double point[3]) const {
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
