// Internal forces in total-Lagrangian form: deformation gradient from the
// reference shape-function derivatives, material update in the current
// configuration, first Piola-Kirchhoff stress back onto the nodes.
//
// The points are split into parts, one per thread (PointPartition): each
// part steps its points in batches and adds their forces to the nodes only
// its points name; the terms of the nodes several parts name are stored and
// summed afterwards. Every node adds its terms in point order either way, and
// the energy sums are taken in fixed blocks (orderedSum), so the results are
// the same to the last bit whatever the number of threads.
#include <algorithm>
#include <iomanip>
#include <iostream>

#include <omp.h>

#include "analysis/dynamic_analysis.h"
#include "analysis/energy_balance.h"
#include "analysis/ordered_sum.h"
#include "analysis/point_kinematics.h"
#include "input/fatal_exit.h"

// The batch step is compiled again for wider vector registers, and the copy
// for the processor the program runs on is picked when it starts: a portable
// build steps almost as fast as a native one. GCC on x86-64 only (clang's
// thread sanitizer does not survive the start-up choice).
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__)
#define ZELK_VECTOR_CLONES __attribute__((target_clones("avx512f", "avx2", "default")))
#else
#define ZELK_VECTOR_CLONES
#endif

namespace zelk {

void DynamicAnalysis::printPoint(std::ostream& out, const IntegrationPoint& point) {
    out << std::scientific << std::right << std::setprecision(5);
    out << std::setw(15) << point.x << std::setw(15) << point.y << std::setw(15) << point.z;
    out << std::setw(15) << (point.material ? point.material->name : point.materialName);
    out << std::setw(15) << point.pointValue << "\n";
}

// Steps the count points at points[0..count-1] as one batch: gathers, the
// lanes, and the state written back (unless a point collapsed, which is
// returned: the first lane whose det F fell below 0.01, or -1).
ZELK_VECTOR_CLONES int DynamicAnalysis::stepBatch(const int* points, int count, double dt, PointBatch& b) {
    const int* const offsets = pointTable_.offset.data();
    for (int n = 0; n < kBatchLanes; ++n) {
        // Lanes beyond count repeat the first point, so that every lane holds numbers.
        const int p = points[n < count ? n : 0];
        b.point[n] = p;
        gatherGradients(offsets[p], offsets[p + 1], pointTable_.node.data(), pointTable_.deriv.data(),
                        displacement.data(), velocity.data(), &b.Fd[0][n], &b.Fdot[0][n], kBatchLanes);
        const MaterialState& point = pointState[p];
        for (int c = 0; c < 9; ++c) b.stress[c][n] = point.stress[c / 3][c % 3];
        b.yieldStress[n] = point.yieldStress;
        b.density[n] = point.density;
        b.plasticStrain[n] = point.plasticStrain;
        b.weight[n] = pointWeight[p];
    }
    const MaterialConstants& first = materials_.of(points[0]);
    bool oneMaterial = true;
    for (int n = 1; n < count; ++n) oneMaterial = oneMaterial && &materials_.of(points[n]) == &first;
    if (oneMaterial) {
        for (int n = 0; n < kBatchLanes; ++n) stepLane(b, n, first, dt);
    } else {
        for (int n = 0; n < count; ++n) stepLane(b, n, materials_.of(points[n]), dt);
    }
    for (int n = 0; n < count; ++n)
        if (!(b.J[n] >= 0.01)) return n;
    for (int n = 0; n < count; ++n) {
        MaterialState& point = pointState[b.point[n]];
        for (int c = 0; c < 9; ++c) point.stress[c / 3][c % 3] = b.stress[c][n];
        point.yieldStress = b.yieldStress[n];
        point.density = b.density[n];
        point.plasticStrain = b.plasticStrain[n];
    }
    return -1;
}

void DynamicAnalysis::stopAtCollapsedPoint(int p, double J) const {
    std::cout << "Point:";
    printPoint(std::cout, intPoints[p]);
    std::cout << "\nJacobi is too small during stiff P" << J << "\n";
    printStepLengthHint(std::cout, p);
    fatalExit(1);
}

void DynamicAnalysis::internalForces(double dt) {
    const PointPartition& plan = partition_;
    const int* const offsets = pointTable_.offset.data();
    const int* const nodes = pointTable_.node.data();
    const std::array<double, 3>* const derivs = pointTable_.deriv.data();
    const int* const entryTerm = plan.entryTerm.data();
    double* const f = force.data();
    pointWork_.resize(2 * static_cast<std::size_t>(numIntPoints));
    sharedTerms_.resize(static_cast<std::size_t>(plan.rowStart.back()));
    std::array<double, 3>* const terms = sharedTerms_.data();
    double smallest = minJacobian;
    const bool byStretch = stretchStep;
    int collapsed = numIntPoints;  // the first point, in point order, whose det F fell below 0.01
    double collapsedJ = 0.0;
#pragma omp parallel num_threads(plan.parts) reduction(min : smallest)
    {
        PointBatch b;
        for (int part = omp_get_thread_num(); part < plan.parts; part += omp_get_num_threads()) {
            const int end = plan.partStart[part + 1];
            for (int first = plan.partStart[part]; first < end; first += kBatchLanes) {
                const int count = std::min(kBatchLanes, end - first);
                const int failed = stepBatch(&plan.order[first], count, dt, b);
                if (failed >= 0) {
#pragma omp critical(zelk_collapsed_point)
                    if (b.point[failed] < collapsed) {
                        collapsed = b.point[failed];
                        collapsedJ = b.J[failed];
                    }
                    break;
                }
                for (int n = 0; n < count; ++n) {
                    const int p = b.point[n];
                    smallest = std::min(smallest, byStretch ? std::min(b.J[n], b.stretch[n]) : b.J[n]);
                    pointWork_[2 * p] = b.stressWork[n];
                    pointWork_[2 * p + 1] = b.plasticWork[n];
                    const StressRows P = stressRows(&b.P[0][n], kBatchLanes);
                    const int kept = plan.keptFrom[p];
                    if (kept < 0) {
                        scatterForces(offsets[p], offsets[p + 1], nodes, derivs, P, f);
                        continue;
                    }
                    const int* const termOf = entryTerm + kept - offsets[p];
                    for (int k = offsets[p]; k < offsets[p + 1]; ++k) {
                        const ForceTerm term = forceTerm(P, derivs[k].data());
                        if (termOf[k] < 0)
                            subtractTerm(term, f + 3 * nodes[k]);
                        else
                            terms[termOf[k]] = {term.xy[0], term.xy[1], term.z};
                    }
                }
            }
        }
    }
    minJacobian = smallest;
    if (collapsed < numIntPoints) stopAtCollapsedPoint(collapsed, collapsedJ);
    // The shared nodes, each along its row in point order.
    const int rows = static_cast<int>(plan.sharedNode.size());
#pragma omp parallel for schedule(static) num_threads(plan.parts)
    for (int r = 0; r < rows; ++r) {
        double* const fk = f + 3 * plan.sharedNode[r];
        for (int j = plan.rowStart[r]; j < plan.rowStart[r + 1]; ++j)
            subtractTerm({DoublePair{terms[j][0], terms[j][1]}, terms[j][2]}, fk);
    }
    // Stress and plastic work of this step, summed over the points.
    const double* const work = pointWork_.data();
    const std::array<double, 2> sums =
        orderedSum<2>(numIntPoints, [work](int p) { return std::array<double, 2>{work[2 * p], work[2 * p + 1]}; });
    energy.internal += sums[0];
    energy.plasticWork += sums[1];
}

}  // namespace zelk
