// One body's approximation: the settings of the whole model's, over the
// body's own nodes, so that its shape functions never reach another body.
#include <algorithm>

#include "meshless/mls_approximation.h"

namespace zelk {

std::unique_ptr<MlsApproximation> MlsApproximation::restrictedTo(const std::vector<Node>& subset,
                                                                 const std::vector<int>& globalIndex) const {
    auto part = std::make_unique<MlsApproximation>(subset, approxType);
    part->spaceDim = spaceDim;
    part->derivOrder = derivOrder;
    part->numSecondDerivs = numSecondDerivs;
    part->settings = settings;
    part->numBasisTerms = numBasisTerms;
    part->sizeWorkStorage();
    part->InflDomain = InflDomain;
    part->inflDomainGiven_ = inflDomainGiven_;
    part->Scale = Scale;
    part->SingularCheck = SingularCheck;
    part->setMaxInflPts(std::min(maxInflPts, part->nodeCount()));
    const int n = part->nodeCount();
    bool sized = false;  // the whole model has supports (INFLE was given)
    for (int i = 0; i < nodeCount() && !sized; ++i) sized = SupportSize(i, 0) != 0.0;
    if (isFixed() || settings.boxSupport()) {
        for (int i = 0; i < n; ++i)
            for (int a = 0; a < 3; ++a) part->SupportSize(i, a) = SupportSize(globalIndex[i], a);
        part->refreshSupportBounds();
    } else if (sized || isVariable()) {
        part->setSupportCount(ptsNbInSupport);
    }
    return part;
}

}  // namespace zelk
