// Internal forces in total-Lagrangian form: deformation gradient from the
// reference shape-function derivatives, material update in the current
// configuration, first Piola-Kirchhoff stress back onto the nodes.
#include <iomanip>
#include <iostream>

#include "analysis/dynamic_analysis.h"
#include "input/fatal_exit.h"

namespace zelk {

void DynamicAnalysis::printPoint(std::ostream& out, const EvPoint& point) {
    out << std::scientific << std::right << std::setprecision(5);
    out << std::setw(15) << point.x << std::setw(15) << point.y << std::setw(15) << point.z;
    out << std::setw(15) << (point.material ? point.material->name : point.materialName);
    out << std::setw(15) << point.pointValue << "\n";
}

void DynamicAnalysis::internalForces(double dt) {
    const int* const nodes = pointTable_.node.data();
    const std::array<double, 3>* const derivs = pointTable_.deriv.data();
    const double* const u = displacement.data();
    const double* const v = velocity.data();
    double* const f = force.data();
    Tensor3 l{};
    for (int p = 0; p < numIntPoints; ++p) {
        const int begin = pointTable_.offset[p];
        const int end = pointTable_.offset[p + 1];
        // Fd[a][i] = sum_k u_a(N_k) dphi_k/dX_i and the same for the velocity.
        double Fd[3][3] = {}, Fdot[3][3] = {};
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
        const double F[3][3] = {{1.0 + Fd[0][0], Fd[0][1], Fd[0][2]},
                                {Fd[1][0], 1.0 + Fd[1][1], Fd[1][2]},
                                {Fd[2][0], Fd[2][1], 1.0 + Fd[2][2]}};
        // Cofactors give both the determinant (first row) and the inverse.
        const double c00 = F[1][1] * F[2][2] - F[1][2] * F[2][1];
        const double c01 = F[1][2] * F[2][0] - F[1][0] * F[2][2];
        const double c02 = F[1][0] * F[2][1] - F[1][1] * F[2][0];
        const double J = F[0][0] * c00 + F[0][1] * c01 + F[0][2] * c02;
        if (J < minJacobian) minJacobian = J;
        if (!(J >= 0.01)) {
            std::cout << "Point:";
            printPoint(std::cout, intPoints[p]);
            std::cout << "\nJacobi is too small during stiff P" << J << "\n";
            fatalExit(1);
        }
        const double r = 1.0 / J;
        const double Finv[3][3] = {
            {c00 * r, (F[0][2] * F[2][1] - F[0][1] * F[2][2]) * r, (F[0][1] * F[1][2] - F[0][2] * F[1][1]) * r},
            {c01 * r, (F[0][0] * F[2][2] - F[0][2] * F[2][0]) * r, (F[0][2] * F[1][0] - F[0][0] * F[1][2]) * r},
            {c02 * r, (F[0][1] * F[2][0] - F[0][0] * F[2][1]) * r, (F[0][0] * F[1][1] - F[0][1] * F[1][0]) * r}};
        // Velocity gradient in the current configuration: l = Fdot F^-1.
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                l[i][j] = Fdot[i][0] * Finv[0][j] + Fdot[i][1] * Finv[1][j] + Fdot[i][2] * Finv[2][j];
        EvPoint& point = intPoints[p];
        materialModel->updateStress(l, point, dt);
        // First Piola-Kirchhoff stress P = J F^-1 sigma, times the point weight.
        const Tensor3& sigma = point.stress;
        const double wJ = pointWeight[p] * J;
        double P[3][3];
        for (int i = 0; i < 3; ++i)
            for (int a = 0; a < 3; ++a)
                P[i][a] = wJ * (Finv[i][0] * sigma[0][a] + Finv[i][1] * sigma[1][a] + Finv[i][2] * sigma[2][a]);
        for (int k = begin; k < end; ++k) {
            double* fk = f + 3 * nodes[k];
            const double* dk = derivs[k].data();
            for (int a = 0; a < 3; ++a) fk[a] -= P[0][a] * dk[0] + P[1][a] * dk[1] + P[2][a] * dk[2];
        }
    }
}

}  // namespace zelk
