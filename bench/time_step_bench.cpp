// One explicit time step of a PIEFG cube: internal forces with the material
// update at every integration point, accelerations, the update of velocities
// and displacements, and the wall penalty forces of the bottom face.
//
// The model is built in memory as the input of scripts/bench-scale.py would
// give it: a regular grid of side^3 nodes, one copper material, one cell per
// grid box, the MLS approximation with a linear basis and 18 influence nodes.
// The counter per_point_node is the time of a step (wall clock, all threads)
// divided by the number of (integration point, influence node) pairs;
// ratio_to_bare compares the step with the bare kernel of bare_step_kernel.h
// timed in the same run (step_ns_per_pair over bare_ns_per_pair).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>
#include <vector>

#include "analysis/dynamic_analysis.h"
#include "bare_step_kernel.h"
#include "driver/approximation_evaluator.h"
#include "meshless/mls_approximation.h"

namespace zelk::bench {
namespace {

constexpr double kSpacing = 0.001;  // grid step [m]

struct Cube {
    explicit Cube(int side) {
        material.name = "copper";
        material.type = kIsoElaPlaHydType;
        material.youngsModulus = 1.17e11;
        material.poissonRatio = 0.35;
        material.density0 = 8930.0;
        material.tangentModulus = 1.0e8;
        material.yieldStress0 = 4.0e8;
        const auto node = [side](int i, int j, int k) { return i + side * (j + side * k); };
        model.NDM = 3;
        model.sizeNodes(side * side * side);
        model.sizeEvPoints(side * side * side);
        for (int k = 0; k < side; ++k)
            for (int j = 0; j < side; ++j)
                for (int i = 0; i < side; ++i) {
                    Node& n = model.nodes[node(i, j, k)];
                    n.x = i * kSpacing;
                    n.y = j * kSpacing;
                    n.z = k * kSpacing;
                    n.dof = {1, 1, 1};
                    n.nodeFlag = k == 0 ? 1 : 0;  // the bottom face meets the wall
                    EvPoint& p = model.evPoints[node(i, j, k)];
                    p.x = n.x;
                    p.y = n.y;
                    p.z = n.z;
                    p.material = &material;
                    p.density = material.density0;
                    p.yieldStress = material.yieldStress0;
                    p.pointValue = 1.0;
                    p.sourceNode = node(i, j, k);
                }
        model.sizeCells((side - 1) * (side - 1) * (side - 1));
        int c = 0;
        for (int k = 0; k + 1 < side; ++k)
            for (int j = 0; j + 1 < side; ++j)
                for (int i = 0; i + 1 < side; ++i) {
                    Cell& cell = model.cells[c++];
                    cell.nodeNumbers.resize(8);
                    for (int corner = 0; corner < 8; ++corner) {
                        const int n = node(i + (corner & 1), j + ((corner >> 1) & 1), k + ((corner >> 2) & 1));
                        cell.nodeNumbers[corner] = n;
                        cell.corners[corner] = model.nodes[n];
                    }
                }
        approximation = std::make_unique<MlsApproximation>(model.nodes);
        approximation->setBasis("LINE");
        approximation->setWeight("CUBIC", 0.0);
        approximation->setInfluenceDomain("SEL");
        approximation->setSupportCount(18);
        ApproximationEvaluator evaluator(*approximation);
        analysis = std::make_unique<DynamicAnalysis>(evaluator, model, "PIEFG");
        analysis->setStepLength("CONST", 0.2 * kSpacing);
        analysis->setInitialVelocity(0.0, 0.0, -50.0);
        std::vector<std::unique_ptr<RigidWall>> walls;
        auto wall = std::make_unique<PlaneWall>();
        wall->axis = 3;
        wall->side = -1;
        wall->position = 0.0;
        wall->penaltyFactor = 1.0e6;
        walls.push_back(std::move(wall));
        analysis->setWalls(std::move(walls));
        analysis->computeWeightsAndMass();
    }

    Material material;
    Model model;
    std::unique_ptr<MlsApproximation> approximation;
    std::unique_ptr<DynamicAnalysis> analysis;
};

void BM_TimeStep(benchmark::State& state) {
    Cube cube(static_cast<int>(state.range(0)));
    DynamicAnalysis& a = *cube.analysis;
    const double dt = 0.2 * kSpacing / std::sqrt(cube.material.youngsModulus / cube.material.density0);
    // The body is put back to its start every few hundred steps, so that the
    // timed steps stay in the range of a short impact however long they run.
    const std::vector<MaterialState> startState = a.pointState;
    const std::vector<double> startVelocity = a.velocity;
    constexpr int kStepsBetweenRestarts = 300;
    int step = 0;
    for (auto _ : state) {
        if (step == kStepsBetweenRestarts) {
            state.PauseTiming();
            a.pointState = startState;
            a.velocity = startVelocity;
            std::fill(a.displacement.begin(), a.displacement.end(), 0.0);
            std::fill(a.force.begin(), a.force.end(), 0.0);
            a.walls[0]->position = 0.0;
            step = 0;
            state.ResumeTiming();
        }
        a.advance(dt, step++);
        benchmark::DoNotOptimize(a.force.data());
    }
    const double points = a.numIntPoints;
    const double pairs = a.pointInfluence().numEntries();
    const double iterations = static_cast<double>(state.iterations());

    // The step against the bare kernel on the same lists, in alternating
    // rounds so that both meet the same load on the machine; the fastest
    // round of each counts.
    BareState bare{std::vector<std::array<double, 9>>(a.numIntPoints)};
    std::vector<double> bareForce(a.force.size());
    const double twoG = cube.material.youngsModulus / (1.0 + cube.material.poissonRatio);
    const double bulk = cube.material.youngsModulus / (3.0 * (1.0 - 2.0 * cube.material.poissonRatio));
    using Clock = std::chrono::steady_clock;
    constexpr int kRounds = 12, kRepeats = 4;
    double bestStep = HUGE_VAL, bestBare = HUGE_VAL;
    for (int round = 0; round < kRounds; ++round) {
        const Clock::time_point t0 = Clock::now();
        for (int r = 0; r < kRepeats; ++r) a.advance(dt, 1);
        const Clock::time_point t1 = Clock::now();
        for (int r = 0; r < kRepeats; ++r)
            bareStepKernel(a.pointInfluence(), a.pointWeight, a.displacement.data(), a.velocity.data(), dt, twoG,
                           bulk, bare, bareForce.data());
        const Clock::time_point t2 = Clock::now();
        bestStep = std::min(bestStep, std::chrono::duration<double, std::nano>(t1 - t0).count() / kRepeats);
        bestBare = std::min(bestBare, std::chrono::duration<double, std::nano>(t2 - t1).count() / kRepeats);
        benchmark::DoNotOptimize(bareForce.data());
    }
    state.counters["step_ns_per_pair"] = bestStep / pairs;
    state.counters["bare_ns_per_pair"] = bestBare / pairs;
    state.counters["ratio_to_bare"] = bestStep / bestBare;
    state.counters["points"] = points;
    state.counters["nodes_per_point"] = pairs / points;
    state.counters["per_point"] =
        benchmark::Counter(points * iterations, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["per_point_node"] =
        benchmark::Counter(pairs * iterations, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_TimeStep)->Arg(10)->Arg(20)->Arg(30)->Arg(40)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
}  // namespace zelk::bench

BENCHMARK_MAIN();
