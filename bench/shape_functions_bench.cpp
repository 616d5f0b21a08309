// MLS shape functions and first derivatives (order 1, "FULL") at one point,
// over an influence list found beforehand: the cost of the core alone.
#include <benchmark/benchmark.h>

#include "bench_clouds.h"

namespace zelk::bench {
namespace {

void BM_ShapeFunctionsPerPoint(benchmark::State& state) {
    const std::vector<Node> nodes = cubeCloud(8000);
    MlsApproximation approx(nodes);
    approx.setInfluenceDomain("SEL");
    approx.setSupportCount(static_cast<int>(state.range(0)));
    const double point[3] = {10.3, 9.7, 10.1};
    approx.findInfluenceNodes(point);
    approx.searchNeeded = false;
    for (auto _ : state) benchmark::DoNotOptimize(approx.shapeFunctions(point, 1, "FULL"));
    state.counters["nodes in list"] = approx.InflPtsNb;
}
BENCHMARK(BM_ShapeFunctionsPerPoint)->Arg(18)->Arg(30)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zelk::bench
