// Internal forces in total-Lagrangian form: deformation gradient from the
// reference shape-function derivatives, material update in the current
// configuration, first Piola-Kirchhoff stress back onto the nodes.
#include <iomanip>
#include <iostream>

#include "analysis/dynamic_analysis.h"
#include "analysis/point_kinematics.h"
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
    const int* const offsets = pointTable_.offset.data();
    const double* const u = displacement.data();
    const double* const v = velocity.data();
    double* const f = force.data();
    Tensor3 l{};
    // Stress and plastic work of this step, summed over the points.
    double stressWorkSum = 0.0, plasticWorkSum = 0.0;
    for (int p = 0; p < numIntPoints; ++p) {
        const int begin = offsets[p];
        const int end = offsets[p + 1];
        // Displacement gradient and its rate from the reference derivatives.
        double Fd[3][3] = {}, Fdot[3][3] = {};
        gatherGradients(begin, end, nodes, derivs, u, v, Fd, Fdot);
        const double F[3][3] = {{1.0 + Fd[0][0], Fd[0][1], Fd[0][2]},
                                {Fd[1][0], 1.0 + Fd[1][1], Fd[1][2]},
                                {Fd[2][0], Fd[2][1], 1.0 + Fd[2][2]}};
        double Finv[3][3];
        const double J = invert3(F, Finv);
        if (J < minJacobian) minJacobian = J;
        if (!(J >= 0.01)) {
            std::cout << "Point:";
            printPoint(std::cout, intPoints[p]);
            std::cout << "\nJacobi is too small during stiff P" << J << "\n";
            printStepLengthHint(std::cout, p);
            fatalExit(1);
        }
        // Velocity gradient in the current configuration: l = Fdot F^-1.
        multiply3(Fdot, Finv, l);
        EvPoint& point = intPoints[p];
        const Tensor3 stressBefore = point.stress;
        const double yieldBefore = point.yieldStress, plasticBefore = point.plasticStrain;
        materialModel->updateStress(l, point, dt);
        // Energy balance: stress work and plastic work of the step over the current volume.
        const double volume = pointWeight[p] * J;
        stressWorkSum += stressWork(stressBefore, point.stress, l, volume, dt);
        plasticWorkSum += 0.5 * (yieldBefore + point.yieldStress) * (point.plasticStrain - plasticBefore) * volume;
        // First Piola-Kirchhoff stress P = J F^-1 sigma, times the point weight.
        const double sigma[3][3] = {{point.stress[0][0], point.stress[0][1], point.stress[0][2]},
                                    {point.stress[1][0], point.stress[1][1], point.stress[1][2]},
                                    {point.stress[2][0], point.stress[2][1], point.stress[2][2]}};
        double P[3][3];
        multiply3(Finv, sigma, P);
        const double wJ = pointWeight[p] * J;
        for (auto& row : P)
            for (double& entry : row) entry *= wJ;
        scatterForces(begin, end, nodes, derivs, P, f);
    }
    energy.internal += stressWorkSum;
    energy.plasticWork += plasticWorkSum;
}

}  // namespace zelk
