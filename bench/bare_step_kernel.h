// The bare reference kernel of the time-step benchmark: per integration point
// the same gather of the displacement and velocity gradients over the same
// influence lists, a hypoelastic stress update and the scatter of P^T dphi
// onto the nodes, with none of the solver's checks, material types or
// plasticity. Compiled with the solver's flags, it measures how close a step
// comes to what this machine can do on the same data.
#pragma once

#include <array>
#include <vector>

#include "analysis/influence_table.h"

namespace zelk::bench {

struct BareState {
    std::vector<std::array<double, 9>> stress;  // per point, row-major
};

inline void bareStepKernel(const InfluenceTable& table, const std::vector<double>& weight, const double* u,
                           const double* v, double dt, double twoG, double bulk, BareState& state, double* force) {
    const int points = table.numPoints();
    const int* nodes = table.node.data();
    const std::array<double, 3>* derivs = table.deriv.data();
    for (int p = 0; p < points; ++p) {
        double F[9] = {}, L[9] = {};
        for (int k = table.offset[p]; k < table.offset[p + 1]; ++k) {
            const double* uk = u + 3 * nodes[k];
            const double* vk = v + 3 * nodes[k];
            const double* dk = derivs[k].data();
            for (int a = 0; a < 3; ++a)
                for (int i = 0; i < 3; ++i) {
                    F[3 * a + i] += uk[a] * dk[i];
                    L[3 * a + i] += vk[a] * dk[i];
                }
        }
        std::array<double, 9>& s = state.stress[p];
        const double trace = L[0] + L[4] + L[8];
        for (int a = 0; a < 3; ++a)
            for (int i = 0; i < 3; ++i) {
                const double d = 0.5 * (L[3 * a + i] + L[3 * i + a]) - (a == i ? trace / 3.0 : 0.0);
                s[3 * a + i] += dt * (twoG * d + (a == i ? bulk * trace : 0.0));
            }
        const double w = weight[p] * (1.0 + F[0] + F[4] + F[8]);
        for (int k = table.offset[p]; k < table.offset[p + 1]; ++k) {
            double* fk = force + 3 * nodes[k];
            const double* dk = derivs[k].data();
            for (int a = 0; a < 3; ++a) fk[a] -= w * (s[a] * dk[0] + s[3 + a] * dk[1] + s[6 + a] * dk[2]);
        }
    }
}

}  // namespace zelk::bench
