// The 3 x 3 algebra of one integration point per time step, written out.
//
// Written out because at this size a library call costs more than the work.
// Arrays are row-major: m[row][column].
#pragma once

#include <array>

namespace zelk {

using Matrix3 = double[3][3];

// Fd[a][i] += u_a(N_k) dphi_k/dX_i and Fdot the same with the velocity, over
// the entries k of one point, in entry order (the sum U D over the nodes).
inline void gatherGradients(int begin, int end, const int* nodes, const std::array<double, 3>* derivs,
                            const double* u, const double* v, Matrix3 Fd, Matrix3 Fdot) {
    for (int k = begin; k < end; ++k) {
        const double* uk = u + 3 * nodes[k];
        const double* vk = v + 3 * nodes[k];
        const double* dk = derivs[k].data();
        for (int a = 0; a < 3; ++a)
            for (int i = 0; i < 3; ++i) {
                Fd[a][i] += uk[a] * dk[i];
                Fdot[a][i] += vk[a] * dk[i];
            }
    }
}

// Finv = F^-1 from the cofactors; returns det F, expanded along the first row.
// A non-positive or non-finite determinant leaves Finv unusable (the caller
// stops the run before using it).
inline double invert3(const Matrix3 F, Matrix3 Finv) {
    const double c00 = F[1][1] * F[2][2] - F[1][2] * F[2][1];
    const double c01 = F[1][2] * F[2][0] - F[1][0] * F[2][2];
    const double c02 = F[1][0] * F[2][1] - F[1][1] * F[2][0];
    const double J = F[0][0] * c00 + F[0][1] * c01 + F[0][2] * c02;
    const double r = 1.0 / J;
    Finv[0][0] = c00 * r;
    Finv[0][1] = (F[0][2] * F[2][1] - F[0][1] * F[2][2]) * r;
    Finv[0][2] = (F[0][1] * F[1][2] - F[0][2] * F[1][1]) * r;
    Finv[1][0] = c01 * r;
    Finv[1][1] = (F[0][0] * F[2][2] - F[0][2] * F[2][0]) * r;
    Finv[1][2] = (F[0][2] * F[1][0] - F[0][0] * F[1][2]) * r;
    Finv[2][0] = c02 * r;
    Finv[2][1] = (F[0][1] * F[2][0] - F[0][0] * F[2][1]) * r;
    Finv[2][2] = (F[0][0] * F[1][1] - F[0][1] * F[1][0]) * r;
    return J;
}

// C = A B, each term summed over the inner index 0, 1, 2 in turn.
template <typename Out>
inline void multiply3(const Matrix3 A, const Matrix3 B, Out& C) {
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) C[i][j] = A[i][0] * B[0][j] + A[i][1] * B[1][j] + A[i][2] * B[2][j];
}

// What a point's step leaves for the forces and the energy sums.
struct PointStep {
    std::array<double, 9> P;  // weighted first Piola-Kirchhoff stress, P[3 i + a]: reference direction i, force direction a
    double stressWork = 0.0, plasticWork = 0.0;
};

// force(N_k) -= P^T dphi_k for every entry k of one point.
inline void scatterForces(int begin, int end, const int* nodes, const std::array<double, 3>* derivs,
                          const std::array<double, 9>& P, double* force) {
    for (int k = begin; k < end; ++k) {
        double* fk = force + 3 * nodes[k];
        const double* dk = derivs[k].data();
        for (int a = 0; a < 3; ++a) fk[a] -= P[a] * dk[0] + P[3 + a] * dk[1] + P[6 + a] * dk[2];
    }
}

// force(n) -= P_p^T dphi_k over the entries k (of points p) that name node n,
// in the order given: the same terms, summed the same way, as scatterForces
// adds them point by point. derivs[j] and points[j] belong to the same entry.
inline void gatherNodeForce(int begin, int end, const int* points, const std::array<double, 3>* derivs,
                            const PointStep* steps, double* fn) {
    for (int j = begin; j < end; ++j) {
        const double* dk = derivs[j].data();
        const double* Pp = steps[points[j]].P.data();
        for (int a = 0; a < 3; ++a) fn[a] -= Pp[a] * dk[0] + Pp[3 + a] * dk[1] + Pp[6 + a] * dk[2];
    }
}

}  // namespace zelk
