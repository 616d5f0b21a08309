// The current state of the analysis as a VTK grid: the nodes at their
// deformed positions with the fields a user looks at.
#include <cmath>

#include "analysis/dynamic_analysis.h"

namespace zelk {

VtkGrid DynamicAnalysis::vtkGrid() const {
    const std::size_t count = static_cast<std::size_t>(model->NUMNP);
    VtkGrid grid;
    grid.points.reserve(3 * count);
    VtkPointArray displacementArray{"Displacement", 3, {}, {}}, velocityArray{"Velocity", 3, {}, {}},
        stressArray{"Stress", 6, {}, {}}, vonMises{"VonMises", 1, {}, {}}, pressure{"Pressure", 1, {}, {}},
        plasticStrain{"PlasticStrain", 1, {}, {}}, contact{"ContactNode", 1, {}, {}};
    for (std::size_t i = 0; i < count; ++i) {
        const int node = static_cast<int>(i);
        const Node& reference = model->nodes[node];
        const std::array<double, 3> x = nodePosition(node);
        const std::array<double, 3> v = nodeVelocity(node);
        grid.points.insert(grid.points.end(), x.begin(), x.end());
        displacementArray.reals.insert(displacementArray.reals.end(),
                                       {x[0] - reference.x, x[1] - reference.y, x[2] - reference.z});
        velocityArray.reals.insert(velocityArray.reals.end(), v.begin(), v.end());

        const MaterialState& point = pointState[stressPoint_[node]];
        const Tensor3& s = point.stress;
        stressArray.reals.insert(stressArray.reals.end(), {s[0][0], s[1][1], s[2][2], s[0][1], s[1][2], s[0][2]});
        const double mean = (s[0][0] + s[1][1] + s[2][2]) / 3.0;
        double deviatorSquared = 0.0;
        for (int a = 0; a < 3; ++a)
            for (int b = 0; b < 3; ++b) {
                const double entry = s[a][b] - (a == b ? mean : 0.0);
                deviatorSquared += entry * entry;
            }
        vonMises.reals.push_back(std::sqrt(1.5 * deviatorSquared));
        pressure.reals.push_back(-mean);
        plasticStrain.reals.push_back(point.plasticStrain);
        contact.flags.push_back(reference.nodeFlag != 0 ? 1 : 0);
    }
    if (cellsHaveNodes_) {
        grid.hexahedra.reserve(connectivity_.size());
        for (const std::array<int, 8>& cell : connectivity_) {
            std::array<std::int64_t, 8> corners{};
            for (int c = 0; c < 8; ++c) corners[c] = cell[kBrickCornerOrder[c]];
            grid.hexahedra.push_back(corners);
        }
    }
    grid.pointData = {std::move(displacementArray), std::move(velocityArray), std::move(stressArray),
                      std::move(vonMises),          std::move(pressure),      std::move(plasticStrain),
                      std::move(contact)};
    return grid;
}

}  // namespace zelk
