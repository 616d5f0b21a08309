// The work of the integration points in a time step, written out: gradients
// gathered over the influence lists, the 3 x 3 algebra and the material update
// of each point, and its forces scattered back onto the nodes.
//
// Points go through in batches of kBatchLanes. The gathers and scatters run
// point by point; the algebra runs lane by lane over arrays laid out
// lane-fastest, a loop the compiler turns into vector instructions across the
// points. Each lane does the operations of one point alone, in the same order,
// so a point's results do not depend on its batch. Tensors are row-major:
// entry (i, j) at 3 i + j.
#pragma once

#include <array>
#include <cmath>

#include "analysis/energy_balance.h"
#include "analysis/material_model.h"

namespace zelk {

inline constexpr int kBatchLanes = 8;

// Two doubles in one vector register: directions 0 and 1 of a gradient row or a force.
using DoublePair = double __attribute__((vector_size(16)));

// Fd[3 a + i] = sum_k u_a(N_k) dphi_k/dX_i and Fdot the same with the
// velocity, over the entries k of one point in entry order; the results land
// stride apart (the lanes of a batch).
inline void gatherGradients(int begin, int end, const int* nodes, const std::array<double, 3>* derivs,
                            const double* u, const double* v, double* Fd, double* Fdot, int stride) {
    // Row a of a gradient: the pair (a, 0), (a, 1) in one vector register, (a, 2) alone.
    DoublePair pairU[3] = {}, pairV[3] = {};
    double lastU[3] = {}, lastV[3] = {};
    for (int k = begin; k < end; ++k) {
        const double* uk = u + 3 * nodes[k];
        const double* vk = v + 3 * nodes[k];
        const double* dk = derivs[k].data();
        const DoublePair d01 = {dk[0], dk[1]};
        for (int a = 0; a < 3; ++a) {
            pairU[a] += uk[a] * d01;
            pairV[a] += vk[a] * d01;
            lastU[a] += uk[a] * dk[2];
            lastV[a] += vk[a] * dk[2];
        }
    }
    for (int a = 0; a < 3; ++a)
        for (int i = 0; i < 3; ++i) {
            Fd[(3 * a + i) * stride] = i < 2 ? pairU[a][i] : lastU[a];
            Fdot[(3 * a + i) * stride] = i < 2 ? pairV[a][i] : lastV[a];
        }
}

// Finv = F^-1 from the cofactors; returns det F, expanded along the first row.
// A non-positive or non-finite determinant leaves Finv unusable (the caller
// stops the run before using it).
inline double invert3(const double F[9], double Finv[9]) {
    const double c00 = F[4] * F[8] - F[5] * F[7];
    const double c01 = F[5] * F[6] - F[3] * F[8];
    const double c02 = F[3] * F[7] - F[4] * F[6];
    const double J = F[0] * c00 + F[1] * c01 + F[2] * c02;
    const double r = 1.0 / J;
    Finv[0] = c00 * r;
    Finv[1] = (F[2] * F[7] - F[1] * F[8]) * r;
    Finv[2] = (F[1] * F[5] - F[2] * F[4]) * r;
    Finv[3] = c01 * r;
    Finv[4] = (F[0] * F[8] - F[2] * F[6]) * r;
    Finv[5] = (F[2] * F[3] - F[0] * F[5]) * r;
    Finv[6] = c02 * r;
    Finv[7] = (F[1] * F[6] - F[0] * F[7]) * r;
    Finv[8] = (F[0] * F[4] - F[1] * F[3]) * r;
    return J;
}

// C = A B, each term summed over the inner index 0, 1, 2 in turn.
inline void multiply3(const double A[9], const double B[9], double C[9]) {
    #pragma GCC unroll 9
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) C[3 * i + j] = A[3 * i] * B[j] + A[3 * i + 1] * B[3 + j] + A[3 * i + 2] * B[6 + j];
}

// A batch of points: what the gathers leave and the lanes read, and what the
// lanes leave for the scatters and the energy sums. Index [entry][lane].
struct PointBatch {
    int point[kBatchLanes] = {};                // the point of each lane
    double Fd[9][kBatchLanes];                  // displacement gradient dU/dX
    double Fdot[9][kBatchLanes];                // its rate
    double weight[kBatchLanes];                 // the point's integration weight
    double stress[9][kBatchLanes];              // Cauchy stress: in at the start of the step, out at its end
    double yieldStress[kBatchLanes], density[kBatchLanes], plasticStrain[kBatchLanes];  // in and out
    double J[kBatchLanes];                      // det F
    double stretch[kBatchLanes];                // sqrt(3) / |F^-1| (Frobenius norm): 1 for a rotation, between the
                                                // smallest principal stretch and sqrt(3) times it; unlike det F it
                                                // falls when plastic flow flattens a point at constant volume
    double P[9][kBatchLanes];                   // weighted first Piola-Kirchhoff stress, P[3 i + a]: reference
                                                // direction i, force direction a
    double stressWork[kBatchLanes], plasticWork[kBatchLanes];
};

// Lane n of the batch: deformation gradient F = I + Fd, velocity gradient
// l = Fdot F^-1 in the current configuration, the material step, the stress
// and plastic work over the current volume, and P = J F^-1 sigma times the
// weight. A lane whose det F falls below 0.01 leaves unusable results (the
// run stops there).
[[gnu::always_inline]] inline void stepLane(PointBatch& b, int n, const MaterialConstants& c, double dt) {
    double F[9], Finv[9], Fdot[9];
    #pragma GCC unroll 9
    for (int k = 0; k < 9; ++k) {
        F[k] = k % 4 == 0 ? 1.0 + b.Fd[k][n] : b.Fd[k][n];
        Fdot[k] = b.Fdot[k][n];
    }
    const double J = invert3(F, Finv);
    double inverseSquares = 0.0;
    #pragma GCC unroll 9
    for (int k = 0; k < 9; ++k) inverseSquares += Finv[k] * Finv[k];
    b.stretch[n] = std::sqrt(3.0 / inverseSquares);
    double l[9];
    multiply3(Fdot, Finv, l);
    double before[9], sigma[9];
    #pragma GCC unroll 9
    for (int k = 0; k < 9; ++k) before[k] = sigma[k] = b.stress[k][n];
    const double yieldBefore = b.yieldStress[n], plasticBefore = b.plasticStrain[n];
    materialStepLane(l, sigma, b.yieldStress[n], b.density[n], b.plasticStrain[n], c, dt);
    const double volume = b.weight[n] * J;
    b.stressWork[n] = stressWork(before, sigma, l, volume, dt);
    b.plasticWork[n] = 0.5 * (yieldBefore + b.yieldStress[n]) * (b.plasticStrain[n] - plasticBefore) * volume;
    double P[9];
    multiply3(Finv, sigma, P);
    const double wJ = b.weight[n] * J;
    #pragma GCC unroll 9
    for (int k = 0; k < 9; ++k) {
        b.stress[k][n] = sigma[k];
        b.P[k][n] = P[k] * wJ;
    }
    b.J[n] = J;
}

// The weighted stress P of one point, read stride apart, as the force terms
// need it: force directions 0 and 1 in one vector register, 2 alone.
struct StressRows {
    DoublePair pair[3];
    double last[3];
};

inline StressRows stressRows(const double* P, int stride) {
    StressRows rows;
    for (int i = 0; i < 3; ++i) {
        rows.pair[i] = DoublePair{P[3 * i * stride], P[(3 * i + 1) * stride]};
        rows.last[i] = P[(3 * i + 2) * stride];
    }
    return rows;
}

// P^T dphi: the term one entry subtracts from its node's force.
struct ForceTerm {
    DoublePair xy;
    double z;
};

inline ForceTerm forceTerm(const StressRows& P, const double* dk) {
    return {P.pair[0] * dk[0] + P.pair[1] * dk[1] + P.pair[2] * dk[2],
            P.last[0] * dk[0] + P.last[1] * dk[1] + P.last[2] * dk[2]};
}

inline void subtractTerm(const ForceTerm& term, double* fk) {
    DoublePair f01;
    __builtin_memcpy(&f01, fk, sizeof f01);
    f01 -= term.xy;
    __builtin_memcpy(fk, &f01, sizeof f01);
    fk[2] -= term.z;
}

// force(N_k) -= P^T dphi_k for every entry k of one point.
inline void scatterForces(int begin, int end, const int* nodes, const std::array<double, 3>* derivs,
                          const StressRows& P, double* force) {
    for (int k = begin; k < end; ++k) subtractTerm(forceTerm(P, derivs[k].data()), force + 3 * nodes[k]);
}

}  // namespace zelk
