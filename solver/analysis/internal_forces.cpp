// Internal forces in total-Lagrangian form: deformation gradient from the
// reference shape-function derivatives, material update in the current
// configuration, first Piola-Kirchhoff stress back onto the nodes.
//
// Both loops run on all threads: the points each update their own state and
// keep their weighted stress, then every node sums the contributions of its
// points in point order (transposed table), so the forces do not depend on
// the number of threads.
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

void DynamicAnalysis::deformation(int p, Matrix3 F, Matrix3 Fdot) const {
    // Displacement gradient and its rate from the reference derivatives.
    double Fd[3][3] = {};
    for (int a = 0; a < 3; ++a)
        for (int i = 0; i < 3; ++i) Fdot[a][i] = 0.0;
    gatherGradients(pointTable_.offset[p], pointTable_.offset[p + 1], pointTable_.node.data(),
                    pointTable_.deriv.data(), displacement.data(), velocity.data(), Fd, Fdot);
    for (int a = 0; a < 3; ++a)
        for (int i = 0; i < 3; ++i) F[a][i] = a == i ? 1.0 + Fd[a][i] : Fd[a][i];
}

void DynamicAnalysis::internalForces(double dt) {
    double smallest = minJacobian;
    int firstFailure = numIntPoints;
#pragma omp parallel for schedule(static) reduction(min : smallest, firstFailure)
    for (int p = 0; p < numIntPoints; ++p) {
        double F[3][3], Fdot[3][3], Finv[3][3];
        deformation(p, F, Fdot);
        const double J = invert3(F, Finv);
        if (J < smallest) smallest = J;
        if (!(J >= 0.01)) {
            if (p < firstFailure) firstFailure = p;
            continue;
        }
        // Velocity gradient in the current configuration: l = Fdot F^-1.
        Tensor3 l;
        multiply3(Fdot, Finv, l);
        EvPoint& point = intPoints[p];
        MaterialModel::updateStress(l, point, dt, materials_.of(p));
        // First Piola-Kirchhoff stress P = J F^-1 sigma, times the point weight.
        const double sigma[3][3] = {{point.stress[0][0], point.stress[0][1], point.stress[0][2]},
                                    {point.stress[1][0], point.stress[1][1], point.stress[1][2]},
                                    {point.stress[2][0], point.stress[2][1], point.stress[2][2]}};
        double P[3][3];
        multiply3(Finv, sigma, P);
        const double wJ = pointWeight[p] * J;
        std::array<double, 9>& out = weightedStress_[p];
        for (int i = 0; i < 3; ++i)
            for (int a = 0; a < 3; ++a) out[3 * i + a] = P[i][a] * wJ;
    }
    minJacobian = smallest;
    if (firstFailure < numIntPoints) {
        // The first such point in point order, as a serial sweep meets it.
        double F[3][3], Fdot[3][3], Finv[3][3];
        deformation(firstFailure, F, Fdot);
        const double J = invert3(F, Finv);
        std::cout << "Point:";
        printPoint(std::cout, intPoints[firstFailure]);
        std::cout << "\nJacobi is too small during stiff P" << J << "\n";
        fatalExit(1);
    }
    const std::array<double, 3>* const derivs = byNode_.deriv.data();
    const int* const rows = byNode_.offset.data();
    const int* const points = byNode_.point.data();
    const std::array<double, 9>* const P = weightedStress_.data();
    double* const f = force.data();
    const int numNodes = model->NUMNP;
#pragma omp parallel for schedule(static)
    for (int n = 0; n < numNodes; ++n) gatherNodeForce(rows[n], rows[n + 1], points, derivs, P, f + 3 * n);
}

}  // namespace zelk
