// Support sizes and the influence search: the cell grid against the full scan.
// The full scan's support sizes grow as n^3: they are timed at 1,000, 2,000 and
// 4,000 nodes only (8,000 would take minutes); extrapolate with n^3.
#include <benchmark/benchmark.h>

#include "bench_clouds.h"

namespace zelk::bench {
namespace {

void BM_SupportSizesIndexed(benchmark::State& state) {
    const std::vector<Node> nodes = cubeCloud(static_cast<int>(state.range(0)));
    MlsApproximation approx(nodes);
    approx.setInfluenceDomain("SEL");
    for (auto _ : state) approx.setSupportCount(18);
    state.counters["nodes"] = static_cast<double>(nodes.size());
}
BENCHMARK(BM_SupportSizesIndexed)->Apply(cubeSizes)->Unit(benchmark::kMillisecond);

void BM_SupportSizesFullScan(benchmark::State& state) {
    const std::vector<Node> nodes = cubeCloud(static_cast<int>(state.range(0)));
    MlsApproximation approx(nodes);
    approx.setInfluenceDomain("SEL");
    approx.ptsNbInSupport = 18;
    for (auto _ : state) approx.referenceComputeSupportSizes();
    state.counters["nodes"] = static_cast<double>(nodes.size());
}
BENCHMARK(BM_SupportSizesFullScan)->Arg(1000)->Arg(2000)->Arg(4000)->Iterations(1)->Unit(benchmark::kMillisecond);

// One search per node, in node order (as the analysis does), per point.
template <bool kIndexed>
void searchEveryNode(benchmark::State& state) {
    const std::vector<Node> nodes = cubeCloud(static_cast<int>(state.range(0)));
    MlsApproximation approx(nodes);
    approx.setInfluenceDomain("SEL");
    approx.setSupportCount(static_cast<int>(state.range(1)));
    std::size_t i = 0;
    for (auto _ : state) {
        const double point[3] = {nodes[i].x, nodes[i].y, nodes[i].z};
        benchmark::DoNotOptimize(kIndexed ? approx.findInfluenceNodes(point)
                                          : approx.referenceFindInfluenceNodes(point));
        i = (i + 1) % nodes.size();
    }
}

void BM_FindInfluenceNodesIndexed(benchmark::State& state) { searchEveryNode<true>(state); }
BENCHMARK(BM_FindInfluenceNodesIndexed)
    ->ArgsProduct({{1000, 8000, 125000}, {18, 30}})
    ->Unit(benchmark::kMicrosecond);

void BM_FindInfluenceNodesFullScan(benchmark::State& state) { searchEveryNode<false>(state); }
BENCHMARK(BM_FindInfluenceNodesFullScan)->ArgsProduct({{1000, 8000}, {18}})->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zelk::bench
