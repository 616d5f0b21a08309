// The cell-grid search against the full scan with the exchange sort: support
// sizes, influence lists (order included), counts, the point radius of VAR,
// SingularCheck repairs, fatal ends and shape functions, all bit for bit.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "input/fatal_exit.h"
#include "meshless/cell_grid.h"
#include "meshless/distance_sort.h"
#include "meshless/mls_approximation.h"
#include "meshless_test_support.h"

namespace zelk {
namespace {

using testing_meshless::gridNodes;
using testing_meshless::jitteredNodes;
using testing_meshless::makeNode;

std::uint64_t bits(double v) { return std::bit_cast<std::uint64_t>(v); }

// ---- Clouds ---------------------------------------------------------------

std::vector<Node> randomNodes(int n, unsigned seed, double extent = 10.0) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> u(0.0, extent);
    std::vector<Node> nodes;
    for (int i = 0; i < n; ++i) nodes.push_back(makeNode(u(random), u(random), u(random)));
    return nodes;
}

// Dense blobs of very different spacing and one node far away.
std::vector<Node> clusteredNodes(unsigned seed) {
    std::mt19937 random(seed);
    std::vector<Node> nodes;
    const double centres[3][3] = {{0, 0, 0}, {5, 1, 0}, {2, 6, 3}};
    const double spreads[3] = {0.05, 0.5, 0.01};
    const int counts[3] = {60, 50, 40};
    for (int c = 0; c < 3; ++c) {
        std::normal_distribution<double> g(0.0, spreads[c]);
        for (int i = 0; i < counts[c]; ++i)
            nodes.push_back(makeNode(centres[c][0] + g(random), centres[c][1] + g(random),
                                     centres[c][2] + g(random)));
    }
    nodes.push_back(makeNode(40, -30, 25));
    return nodes;
}

// A grid whose nodes move by far less than a float's resolution: the stored
// distances tie where the double distances do not.
std::vector<Node> subFloatJitter() {
    std::vector<Node> nodes = jitteredNodes(6, 6, 5, 0.1, 1e-10, 7);
    for (Node& node : nodes) node.x += 1000.0;  // far from the origin as well
    return nodes;
}

// Grid with every node twice (distance-0 ties) and a planar grid beside it.
std::vector<Node> duplicatedNodes() {
    std::vector<Node> nodes = gridNodes(4, 4, 3, 0.5);
    const std::vector<Node> copy = nodes;
    nodes.insert(nodes.end(), copy.begin(), copy.end());
    return nodes;
}

// A planar grid with three nodes above it: SingularCheck must swap in nodes
// far down the sorted order.
std::vector<Node> planeWithNodesAbove() {
    std::vector<Node> nodes = gridNodes(8, 8, 1);
    nodes.push_back(makeNode(1, 2, 3));
    nodes.push_back(makeNode(6, 5, -2));
    nodes.push_back(makeNode(3.5, 3.5, 4));
    return nodes;
}

struct Cloud {
    std::string name;
    std::vector<Node> nodes;
};

std::vector<Cloud> clouds() {
    std::vector<Cloud> all;
    all.push_back({"grid 6x5x5", gridNodes(6, 5, 5)});
    all.push_back({"plane 14x14", gridNodes(14, 14, 1, 0.25)});
    all.push_back({"line 60", gridNodes(60, 1, 1, 0.3)});
    all.push_back({"random 200", randomNodes(200, 11)});
    all.push_back({"jittered 6x6x6", jitteredNodes(6, 6, 6, 1.0, 0.3, 3)});
    all.push_back({"clustered", clusteredNodes(5)});
    all.push_back({"sub-float jitter", subFloatJitter()});
    all.push_back({"duplicated", duplicatedNodes()});
    all.push_back({"plane with nodes above", planeWithNodesAbove()});
    all.push_back({"tiny 5", randomNodes(5, 2, 1.0)});
    all.push_back({"tiny 12", gridNodes(3, 2, 2)});
    all.push_back({"tiny 17", randomNodes(17, 9, 3.0)});
    return all;
}

// Every node, random points over and beyond the box, and half-way points (many ties).
std::vector<std::array<double, 3>> probePoints(const std::vector<Node>& nodes, unsigned seed) {
    std::vector<std::array<double, 3>> points;
    const std::size_t stride = 1 + nodes.size() / 70;  // about 70 nodes, to keep the full scan quick
    double lo[3] = {1e300, 1e300, 1e300}, hi[3] = {-1e300, -1e300, -1e300};
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const Node& node = nodes[i];
        if (i % stride == 0) points.push_back({node.x, node.y, node.z});
        const double xyz[3] = {node.x, node.y, node.z};
        for (int a = 0; a < 3; ++a) {
            lo[a] = std::min(lo[a], xyz[a]);
            hi[a] = std::max(hi[a], xyz[a]);
        }
    }
    std::mt19937 random(seed);
    for (int k = 0; k < 40; ++k) {
        std::array<double, 3> p;
        for (int a = 0; a < 3; ++a) {
            const double pad = 0.2 * (hi[a] - lo[a]) + 0.5;
            p[a] = std::uniform_real_distribution<double>(lo[a] - pad, hi[a] + pad)(random);
        }
        points.push_back(p);
    }
    for (std::size_t i = 1; i < nodes.size(); i += 7)
        points.push_back({(nodes[i].x + nodes[i - 1].x) / 2, (nodes[i].y + nodes[i - 1].y) / 2,
                          (nodes[i].z + nodes[i - 1].z) / 2});
    return points;
}

// ---- Settings -------------------------------------------------------------

// A setting as a line of words: a domain type with its count and Scale (SEL,
// ALL, VAR), or FIX with three sizes; then any of RECTANGLE, LINE, CHECK
// (SingularCheck) and CAP n (MaxInflPt).
struct Setting {
    std::string name;
    bool computesSizes() const { return name.starts_with("SEL") || name.starts_with("ALL"); }
    void apply(MlsApproximation& a) const {
        std::istringstream words(name);
        std::string type, word;
        double x, y, z;
        words >> type >> x >> y;
        if (type == "FIX") words >> z;
        for (int n; words >> word;) {
            if (word == "RECTANGLE") a.setSupportRegion(word);
            if (word == "LINE") a.setBasis(word);
            if (word == "CHECK") a.setSingularCheck();
            if (word == "CAP" && words >> n) a.setMaxInflPts(n);
        }
        if (type != "FIX") a.setScale(y);
        a.setInfluenceDomain(type);
        if (type == "FIX")
            a.setFixedSupport(x, y, z);
        else
            a.setSupportCount(static_cast<int>(x));
    }
};

const Setting kSettings[] = {{"SEL 18 1.0"}, {"SEL 30 1.3"}, {"SEL 6 0.8"}, {"ALL 18 1.0"}, {"ALL 12 1.1 CAP 15"},
                             {"VAR 18 1.5"}, {"VAR 10 0.7"}, {"FIX 1.7 0 0"}, {"FIX 1.2 0.8 2.5 RECTANGLE"},
                             {"SEL 10 2.0 LINE CHECK"}, {"VAR 8 1.0 LINE CHECK"}};

// ---- Comparison -----------------------------------------------------------

std::vector<int> listOf(const MlsApproximation& a) {
    return std::vector<int>(a.inflPts.data(), a.inflPts.data() + a.InflPtsNb);
}

void expectSameSizes(const MlsApproximation& fast, const MlsApproximation& full, const std::string& where) {
    for (int i = 0; i < fast.nodeCount(); ++i)
        for (int a = 0; a < 3; ++a)
            ASSERT_EQ(bits(fast.SupportSize(i, a)), bits(full.SupportSize(i, a)))
                << where << ": SupportSize(" << i << ", " << a << ")";
}

// Runs call and tells whether it ended the run.
template <typename F>
bool endsTheRun(F&& call) {
    try {
        call();
    } catch (const FatalExit&) {
        return true;
    }
    return false;
}

void compareOn(const Cloud& cloud, const Setting& setting) {
    const std::string where = cloud.name + ", " + setting.name;
    MlsApproximation fast(cloud.nodes);
    MlsApproximation full(cloud.nodes);
    setting.apply(fast);
    setting.apply(full);
    if (setting.computesSizes()) full.referenceComputeSupportSizes();
    expectSameSizes(fast, full, where);

    for (const auto& p : probePoints(cloud.nodes, 17)) {
        const std::string at = where + " at (" + std::to_string(p[0]) + ", " + std::to_string(p[1]) +
                               ", " + std::to_string(p[2]) + ")";
        bool fastResult = false, fullResult = false;
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        const bool fastEnded = endsTheRun([&] { fastResult = fast.findInfluenceNodes(p.data()); });
        const bool fullEnded = endsTheRun([&] { fullResult = full.referenceFindInfluenceNodes(p.data()); });
        const std::string out = testing::internal::GetCapturedStdout();
        const std::string err = testing::internal::GetCapturedStderr();
        ASSERT_EQ(fastEnded, fullEnded) << at << "\n" << out << err;
        if (fastEnded) continue;
        ASSERT_EQ(fastResult, fullResult) << at;
        ASSERT_EQ(listOf(fast), listOf(full)) << at;
        ASSERT_EQ(bits(fast.currentSupport[0]), bits(full.currentSupport[0])) << at;
        if (fast.SingularCheck) expectSameSizes(fast, full, at);

        // Shape functions over the lists just found (no second search).
        fast.searchNeeded = full.searchNeeded = false;
        testing::internal::CaptureStdout();
        const bool fastShape = fast.shapeFunctions(p.data(), 1, "FULL");
        const bool fullShape = full.shapeFunctions(p.data(), 1, "FULL");
        testing::internal::GetCapturedStdout();
        fast.searchNeeded = full.searchNeeded = true;
        ASSERT_EQ(fastShape, fullShape) << at;
        if (!fastShape) continue;
        for (int H = 0; H < fast.InflPtsNb; ++H) {
            ASSERT_EQ(bits(fast.shapeValues(H)), bits(full.shapeValues(H))) << at;
            for (int k = 0; k < 3; ++k) ASSERT_EQ(bits(fast.shapeDerivs(H, k)), bits(full.shapeDerivs(H, k))) << at;
        }
    }
}

TEST(IndexedSearch, MatchesTheFullScanOnEveryCloudAndDomainType) {
    for (const Cloud& cloud : clouds())
        for (const Setting& setting : kSettings) {
            compareOn(cloud, setting);
            if (HasFatalFailure()) return;
        }
}

// ---- The two facts the search rests on ------------------------------------

// Exhaustive over short arrays of few distinct values: the entries <= T of the
// full exchange sort are, in order, the exchange sort of those entries alone.
TEST(ExchangeSortPrefix, EntriesUpToAnyBoundSortAsIfAlone) {
    std::mt19937 random(1);
    for (int trial = 0; trial < 4000; ++trial) {
        const int n = 1 + trial % 13;
        std::vector<float> dist(n);
        for (float& d : dist) d = static_cast<float>(random() % 4);
        std::vector<int> nodes(n);
        for (int i = 0; i < n; ++i) nodes[i] = i;
        std::vector<float> fullDist = dist;
        std::vector<int> fullNodes = nodes;
        exchangeSortByDistance(fullDist, fullNodes);
        for (float T = 0; T < 4; ++T) {
            std::vector<float> subDist;
            std::vector<int> subNodes;
            for (int i = 0; i < n; ++i)
                if (dist[i] <= T) {
                    subDist.push_back(dist[i]);
                    subNodes.push_back(i);
                }
            exchangeSortByDistance(subDist, subNodes);
            ASSERT_EQ(subNodes, std::vector<int>(fullNodes.begin(), fullNodes.begin() + subNodes.size()));
        }
    }
}

TEST(CellGridQuery, NonFiniteCoordinatesLeaveTheFullScan) {
    std::vector<Node> nodes = gridNodes(4, 4, 4);
    nodes[5].y = NAN;
    EXPECT_FALSE(CellGrid(NodeTableAdaptor(nodes)).usable());
    MlsApproximation fast(nodes), full(nodes);
    for (MlsApproximation* a : {&fast, &full}) {
        a->setInfluenceDomain("SEL");
        a->setSupportCount(8);
    }
    full.referenceComputeSupportSizes();
    expectSameSizes(fast, full, "NaN node");
    const double point[3] = {1.5, 1.5, 1.5};
    EXPECT_EQ(fast.findInfluenceNodes(point), full.referenceFindInfluenceNodes(point));
    EXPECT_EQ(listOf(fast), listOf(full));
}

}  // namespace
}  // namespace zelk
