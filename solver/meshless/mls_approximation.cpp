#include "meshless/mls_approximation.h"

#include <algorithm>
#include <iostream>

#include "input/fatal_exit.h"
#include "meshless/basis.h"
#include "meshless/weight_functions.h"

namespace zelk {

bool debugSwitch = false;

MlsApproximation::MlsApproximation(const std::vector<Node>& nodes, std::string type)
    : approxType(std::move(type)), nodes_(nodes) {
    const int n = nodeCount();
    sortedNodes.assign(n, 0);
    sortedDist.assign(n, 0.0f);
    inflPts.resize(maxInflPts);
    if (debugSwitch) debugOut.open("DEBUG.OUT");
    if (n < ptsNbInSupport) {
        ptsNbInSupport = n;
        maxInflPts = n;
        inflPts.resize(n);
    }
    // Every node starts with a zero support: a search before INFLE finds
    // nothing rather than reading undefined sizes.
    SupportSize.resize(n, 3);
    SupportSize = 0.0;
    refreshSupportBounds();
    numBasisTerms = basisTermCount(settings.basis());
    sizeWorkStorage();
}

void MlsApproximation::sizeWorkStorage() {
    const int m = numBasisTerms;
    momentMatrix.resize(m);
    p.resize(m);
    for (SymmMatrix& Ak : momentDerivs) Ak.resize(m);
    dp.resize(m, spaceDim);
    // B and the results follow the influence count; m x 0 until the next point.
    B.resize(m, 0);
    for (GenMatrix<double>& Bk : BDerivs) Bk.resize(m, 0);
    shapeValues.resize(0);
    shapeDerivs.resize(0, spaceDim);
}

void MlsApproximation::reserveInfluence(int count) {
    if (count <= inflPts.size(0)) return;
    // Doubling keeps repeated growth cheap; the list itself is kept.
    ColumnVector<int> grown(std::max(count, 2 * inflPts.size(0)));
    for (int k = 0; k < InflPtsNb; ++k) grown(k) = inflPts(k);
    inflPts = std::move(grown);
}

void MlsApproximation::setInfluenceDomain(const std::string& type) {
    InflDomain = type;
    inflDomainGiven_ = true;
    if (!isFixed() && settings.boxSupport()) {
        std::cout << "\n Error!! Rectangle suportRegion only Fix!! " << std::flush;
        fatalExit(1);
    }
}

void MlsApproximation::setSupportCount(int k) {
    const int n = nodeCount();
    ptsNbInSupport = std::min(k, n);
    // A support needs at least the node itself; 0 or less would index before the sorted list.
    if (n > 0 && ptsNbInSupport < 1) ptsNbInSupport = 1;
    computeSupportSizes();
}

void MlsApproximation::setFixedSupport(double sx, double sy, double sz) {
    for (int i = 0; i < nodeCount(); ++i) {
        SupportSize(i, 0) = sx;
        SupportSize(i, 1) = sy;
        SupportSize(i, 2) = sz;
    }
    refreshSupportBounds();
}

void MlsApproximation::setMaxInflPts(int k) {
    maxInflPts = k > 0 ? k : nodeCount();
    inflPts.resize(maxInflPts);
    InflPtsNb = 0;
}

void MlsApproximation::setSupportRegion(const std::string& text) {
    if (isBoxRegion(text) && inflDomainGiven_ && !isFixed()) {
        std::cerr << "*** Error *** SupportRegion : " << text
                  << " needs the influence domain FIX, but INFLE gave " << InflDomain << " !\n";
        fatalExit(1);
    }
    if (!isBoxRegion(text) && text.compare(0, 4, "CIRC") != 0)
        std::cerr << "*** Warning *** SupportRegion : unknown support region " << text
                  << ", spheres are used\n";
    settings.setSupportRegion(text);
}

void MlsApproximation::setBasis(const std::string& name) {
    if (basisKindFromName(name) == BasisKind::Unknown) {
        std::cerr << "*** Error *** Basis : Invalid basis type " << name
                  << " ! (SHEP, LINE or QUAD)\n";
        fatalExit(1);
    }
    settings.setBasisType(name);
    numBasisTerms = basisTermCount(settings.basis());
    sizeWorkStorage();
}

void MlsApproximation::setWeight(const std::string& type, double parameter) {
    settings.setWeightType(type);
    weightParameter = parameter;
}

void MlsApproximation::setDebug(const std::string& text) {
    debugOut.close();
    debugSwitch = text == "ON";
    if (debugSwitch) debugOut.open("DEBUG.OUT");
}

void MlsApproximation::basisAt(const double point[3], const double node[3], double* out) const {
    zelk::basisAt(settings, point, node, out);
}

void MlsApproximation::basisDerivsAt(const double point[3], const double node[3], double* out,
                                     int ld) const {
    zelk::basisDerivsAt(settings, point, node, out, ld);
}

void MlsApproximation::requireFixForBox() const {
    if (!settings.boxSupport() || isFixed()) return;
    std::cerr << "*** Error *** Support region " << settings.supportRegion()
              << " has no support sizes: it needs INFLE FIX, the influence domain is "
              << InflDomain << " !\n";
    fatalExit(1);
}

}  // namespace zelk
