// Shape functions at an evaluation point, kept in the point for the analysis.
#include <fstream>
#include <iomanip>
#include <iostream>

#include "input/fatal_exit.h"
#include "meshless/mls_approximation.h"

namespace zelk {

namespace {

// Coordinates (precision 5, width 15) and the three equation numbers (width 8).
void writeNodeLine(std::ostream& os, const Node& node) {
    os << std::setw(15) << node.x << std::setw(15) << node.y << std::setw(15) << node.z;
    for (int d = 0; d < 3; ++d) os << std::setw(8) << node.dof[d];
    os << "\n";
}

}  // namespace

void MlsApproximation::evaluateAt(EvPoint& evPoint, int order, std::string_view mode) {
    supportChanges_.clear();
    // A point evaluated before keeps its influence nodes: no search.
    const int given = static_cast<int>(evPoint.inflPts.size());
    if (given > 0) {
        InflPtsNb = 0;
        reserveInfluence(given);
        for (int k = 0; k < given; ++k) inflPts(k) = evPoint.inflPts[k];
        InflPtsNb = given;
        searchNeeded = false;
    } else {
        searchNeeded = true;
    }

    const double point[3] = {evPoint.x, evPoint.y, evPoint.z};
    const bool ok = shapeFunctions(point, order, mode);
    searchNeeded = true;
    if (!ok) shapeFunctionFailure(evPoint);

    const int c = InflPtsNb;
    evPoint.inflPtsNb = c;
    evPoint.inflPts.assign(inflPts.data(), inflPts.data() + c);
    evPoint.shapeValues.assign(shapeValues.data(), shapeValues.data() + c);
    evPoint.shapeDerivs.resize(c);
    for (int H = 0; H < c; ++H)
        for (int k = 0; k < 3; ++k) evPoint.shapeDerivs[H][k] = shapeDerivs(H, k);
}

void MlsApproximation::shapeFunctionFailure(const EvPoint& evPoint) const {
    if (quiet_) throw FatalExit{1};
    std::ostream& out = std::cout;
    out << std::scientific << std::right << std::setprecision(5);
    out << "\nShapefunction error!!!" << std::setw(15) << evPoint.x << std::setw(15) << evPoint.y
        << std::setw(15) << evPoint.z << std::setw(15)
        << (evPoint.material ? evPoint.material->name : evPoint.materialName) << std::setw(15)
        << evPoint.pointValue << "\n" << "\n";
    for (int H = 0; H < InflPtsNb; ++H) writeNodeLine(out, nodes_[inflPts(H)]);
    for (double s : currentSupport) out << std::setw(24) << s;
    out << "\n" << std::flush;

    std::ofstream nodeFile("Node.dat");
    nodeFile << std::scientific << std::right << std::setprecision(5);
    for (const Node& node : nodes_) writeNodeLine(nodeFile, node);
    nodeFile.close();
    fatalExit(1);
}

}  // namespace zelk
