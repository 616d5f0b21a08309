// Internal forces in total-Lagrangian form: deformation gradient from the
// reference shape-function derivatives, material update in the current
// configuration, first Piola-Kirchhoff stress back onto the nodes.
//
// On one thread each point adds its forces to its nodes as it goes. On more,
// the points are updated in parallel and keep their results, then every node
// sums its points' contributions in point order (transposed table): the same
// terms added in the same order, so the forces are the same to the last bit
// whatever the number of threads. The energy sums are taken in point order too.
#include <iomanip>
#include <iostream>

#include "analysis/dynamic_analysis.h"
#include "analysis/energy_balance.h"
#include "analysis/point_kinematics.h"
#include "input/fatal_exit.h"

namespace zelk {

void DynamicAnalysis::printPoint(std::ostream& out, const EvPoint& point) {
    out << std::scientific << std::right << std::setprecision(5);
    out << std::setw(15) << point.x << std::setw(15) << point.y << std::setw(15) << point.z;
    out << std::setw(15) << (point.material ? point.material->name : point.materialName);
    out << std::setw(15) << point.pointValue << "\n";
}

double DynamicAnalysis::stepPoint(int p, double dt, PointStep& result) {
    // Displacement gradient and its rate from the reference derivatives.
    double Fd[3][3] = {}, Fdot[3][3] = {};
    gatherGradients(pointTable_.offset[p], pointTable_.offset[p + 1], pointTable_.node.data(),
                    pointTable_.deriv.data(), displacement.data(), velocity.data(), Fd, Fdot);
    const double F[3][3] = {{1.0 + Fd[0][0], Fd[0][1], Fd[0][2]},
                            {Fd[1][0], 1.0 + Fd[1][1], Fd[1][2]},
                            {Fd[2][0], Fd[2][1], 1.0 + Fd[2][2]}};
    double Finv[3][3];
    const double J = invert3(F, Finv);
    if (!(J >= 0.01)) return J;
    // Velocity gradient in the current configuration: l = Fdot F^-1.
    Tensor3 l;
    multiply3(Fdot, Finv, l);
    EvPoint& point = intPoints[p];
    const Tensor3 stressBefore = point.stress;
    const double yieldBefore = point.yieldStress, plasticBefore = point.plasticStrain;
    MaterialModel::updateStress(l, point, dt, materials_.of(p));
    // Energy balance: stress work and plastic work of the step over the current volume.
    const double volume = pointWeight[p] * J;
    result.stressWork = stressWork(stressBefore, point.stress, l, volume, dt);
    result.plasticWork = 0.5 * (yieldBefore + point.yieldStress) * (point.plasticStrain - plasticBefore) * volume;
    // First Piola-Kirchhoff stress P = J F^-1 sigma, times the point weight.
    const double sigma[3][3] = {{point.stress[0][0], point.stress[0][1], point.stress[0][2]},
                                {point.stress[1][0], point.stress[1][1], point.stress[1][2]},
                                {point.stress[2][0], point.stress[2][1], point.stress[2][2]}};
    double P[3][3];
    multiply3(Finv, sigma, P);
    const double wJ = pointWeight[p] * J;
    for (int i = 0; i < 3; ++i)
        for (int a = 0; a < 3; ++a) result.P[3 * i + a] = P[i][a] * wJ;
    return J;
}

void DynamicAnalysis::stopAtCollapsedPoint(int p, double J) const {
    std::cout << "Point:";
    printPoint(std::cout, intPoints[p]);
    std::cout << "\nJacobi is too small during stiff P" << J << "\n";
    printStepLengthHint(std::cout, p);
    fatalExit(1);
}

void DynamicAnalysis::internalForces(double dt) {
    const int* const offsets = pointTable_.offset.data();
    double* const f = force.data();
    // Stress and plastic work of this step, summed over the points.
    double stressWorkSum = 0.0, plasticWorkSum = 0.0;
    if (pointSteps_.empty()) {
        PointStep s;
        for (int p = 0; p < numIntPoints; ++p) {
            const double J = stepPoint(p, dt, s);
            if (J < minJacobian) minJacobian = J;
            if (!(J >= 0.01)) stopAtCollapsedPoint(p, J);
            stressWorkSum += s.stressWork;
            plasticWorkSum += s.plasticWork;
            scatterForces(offsets[p], offsets[p + 1], pointTable_.node.data(), pointTable_.deriv.data(), s.P, f);
        }
    } else {
        double smallest = minJacobian;
        int firstFailure = numIntPoints;
#pragma omp parallel for schedule(static) reduction(min : smallest, firstFailure)
        for (int p = 0; p < numIntPoints; ++p) {
            const double J = stepPoint(p, dt, pointSteps_[p]);
            if (J < smallest) smallest = J;
            if (!(J >= 0.01) && p < firstFailure) firstFailure = p;
        }
        minJacobian = smallest;
        // The first such point in point order, as the serial sweep meets it
        // (a collapsed point is left as it was, so its J is found again).
        if (firstFailure < numIntPoints) {
            PointStep unused;
            stopAtCollapsedPoint(firstFailure, stepPoint(firstFailure, dt, unused));
        }
        for (const PointStep& s : pointSteps_) {
            stressWorkSum += s.stressWork;
            plasticWorkSum += s.plasticWork;
        }
        const int* const rows = byNode_.offset.data();
        const int* const points = byNode_.point.data();
        const std::array<double, 3>* const derivs = byNode_.deriv.data();
        const PointStep* const steps = pointSteps_.data();
        const int numNodes = model->NUMNP;
#pragma omp parallel for schedule(static)
        for (int n = 0; n < numNodes; ++n) gatherNodeForce(rows[n], rows[n + 1], points, derivs, steps, f + 3 * n);
    }
    energy.internal += stressWorkSum;
    energy.plasticWork += plasticWorkSum;
}

}  // namespace zelk
