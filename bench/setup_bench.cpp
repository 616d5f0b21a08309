// The whole set-up of an approximation: support sizes (SEL 18), then the
// influence search and the shape functions with first derivatives at every
// node, through the cell grid or through the full scan. The full scan grows
// as n^3: at 8,000 nodes it takes several minutes; filter it out
// (--benchmark_filter=Indexed) for a quick look.
#include <benchmark/benchmark.h>

#include "bench_clouds.h"

namespace zelk::bench {
namespace {

template <bool kIndexed>
void setUp(benchmark::State& state) {
    const std::vector<Node> nodes = cubeCloud(static_cast<int>(state.range(0)));
    const int count = static_cast<int>(state.range(1));
    for (auto _ : state) {
        MlsApproximation approx(nodes);
        approx.setInfluenceDomain("SEL");
        approx.setSupportCount(count);
        if (!kIndexed) approx.referenceComputeSupportSizes();
        for (const Node& node : nodes) {
            const double point[3] = {node.x, node.y, node.z};
            if (!kIndexed) {
                approx.referenceFindInfluenceNodes(point);
                approx.searchNeeded = false;
            }
            benchmark::DoNotOptimize(approx.shapeFunctions(point, 1, "FULL"));
            approx.searchNeeded = true;
        }
    }
    state.counters["nodes"] = static_cast<double>(nodes.size());
}

void BM_SetUpIndexed(benchmark::State& state) { setUp<true>(state); }
BENCHMARK(BM_SetUpIndexed)
    ->ArgsProduct({{1000, 8000, 27000, 125000}, {18}})
    ->Args({125000, 30})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

void BM_SetUpFullScan(benchmark::State& state) { setUp<false>(state); }
BENCHMARK(BM_SetUpFullScan)->ArgsProduct({{1000, 2000, 4000, 8000}, {18}})->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zelk::bench
