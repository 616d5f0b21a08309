// evaluateAll on 1 to 4 threads, on all points at once and a batch at a time
// (the later batches start from the sizes SingularCheck left), against
// evaluateAt point after point: influence lists, values, derivatives, the
// support sizes left behind, and the first failure with its message, all bit
// for bit.
#include <gtest/gtest.h>

#include <omp.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "input/fatal_exit.h"
#include "meshless/mls_approximation.h"
#include "in_temp_folder.h"
#include "meshless_test_support.h"

namespace zelk {
namespace {

using testing_meshless::gridNodes;
using testing_meshless::jitteredNodes;
using testing_meshless::makeNode;

// A plane of nodes with a few above it: points on the plane need SingularCheck's swaps.
std::vector<Node> planeWithNodesAbove() {
    std::vector<Node> nodes = gridNodes(9, 9, 1);
    for (double x : {1.0, 4.0, 6.5}) nodes.push_back(makeNode(x, 8.0 - x, 2.0 + x / 3.0));
    return nodes;
}

// Points at the nodes and between them, in a fixed order.
std::vector<EvPoint> pointsOver(const std::vector<Node>& nodes) {
    std::vector<EvPoint> points;
    for (std::size_t i = 0; i < nodes.size(); ++i)
        for (double shift : {0.0, 0.37}) {
            EvPoint p;
            p.x = nodes[i].x + shift;
            p.y = nodes[i].y + shift * 0.5;
            p.z = nodes[i].z;
            points.push_back(p);
        }
    return points;
}

struct Case {
    std::string name;
    std::vector<Node> nodes;
    std::function<void(MlsApproximation&)> apply;
};

struct Outcome {
    std::vector<EvPoint> points;
    std::vector<std::uint64_t> sizes;
    bool ended = false;
    std::string console;
};

// batch: points per evaluateAll call; 0 for evaluateAt on each point.
Outcome evaluate(const Case& c, std::size_t batch, int threads) {
    omp_set_num_threads(threads);
    MlsApproximation approximation(c.nodes);
    c.apply(approximation);
    Outcome o{pointsOver(c.nodes), {}, false, {}};
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    try {
        if (batch == 0)
            for (EvPoint& p : o.points) approximation.evaluateAt(p, 1, "FULL");
        for (std::size_t first = 0; batch > 0 && first < o.points.size(); first += batch)
            approximation.evaluateAll(std::span(o.points).subspan(first, std::min(batch, o.points.size() - first)),
                                      1, "FULL");
    } catch (const FatalExit&) {
        o.ended = true;
    }
    o.console = testing::internal::GetCapturedStdout() + testing::internal::GetCapturedStderr();
    for (int i = 0; i < approximation.nodeCount(); ++i)
        o.sizes.push_back(std::bit_cast<std::uint64_t>(approximation.SupportSize(i, 0)));
    return o;
}

using ThreadedEvaluation = testing_support::InTempFolder;

TEST_F(ThreadedEvaluation, GivesTheSerialResultsAtAnyThreadCount) {
    const auto counted = [](std::string type, int k, double scale, bool singularCheck) {
        return [=](MlsApproximation& a) {
            a.setBasis("LINE");
            if (singularCheck) a.setSingularCheck();
            a.setScale(scale);
            a.setInfluenceDomain(type);
            a.setSupportCount(k);
        };
    };
    const std::vector<Case> cases = {
        {"grid SEL 18", jitteredNodes(7, 6, 5, 1.0, 0.2, 4), counted("SEL", 18, 1.0, false)},
        {"plane SEL 8 SingularCheck", planeWithNodesAbove(), counted("SEL", 8, 1.0, true)},
        {"plane SEL 5 scale 2 SingularCheck", planeWithNodesAbove(), counted("SEL", 5, 2.0, true)},
        {"plane VAR 6 SingularCheck", planeWithNodesAbove(), counted("VAR", 6, 1.0, true)},
        {"plane SEL 8 fails", planeWithNodesAbove(), counted("SEL", 8, 1.0, false)},
    };
    const int previous = omp_get_max_threads();
    for (const Case& c : cases) {
        const Outcome serial = evaluate(c, 0, 1);
        const std::size_t all = serial.points.size();
        for (const auto& [threads, batch] :
             std::vector<std::pair<int, std::size_t>>{{1, all}, {2, all}, {3, all}, {4, all}, {2, 37}, {3, 37}}) {
            const Outcome threaded = evaluate(c, batch, threads);
            const std::string where =
                c.name + ", " + std::to_string(threads) + " threads, batches of " + std::to_string(batch);
            ASSERT_EQ(threaded.ended, serial.ended) << where;
            ASSERT_EQ(threaded.console, serial.console) << where;
            ASSERT_EQ(threaded.sizes, serial.sizes) << where;
            if (serial.ended) continue;
            for (std::size_t i = 0; i < serial.points.size(); ++i) {
                const EvPoint& a = threaded.points[i];
                const EvPoint& b = serial.points[i];
                ASSERT_EQ(a.inflPts, b.inflPts) << where << ", point " << i;
                for (std::size_t k = 0; k < b.inflPts.size(); ++k) {
                    ASSERT_EQ(std::bit_cast<std::uint64_t>(a.shapeValues[k]),
                              std::bit_cast<std::uint64_t>(b.shapeValues[k]))
                        << where << ", point " << i;
                    for (int d = 0; d < 3; ++d)
                        ASSERT_EQ(std::bit_cast<std::uint64_t>(a.shapeDerivs[k][d]),
                                  std::bit_cast<std::uint64_t>(b.shapeDerivs[k][d]))
                            << where << ", point " << i;
                }
            }
        }
    }
    omp_set_num_threads(previous);
}

}  // namespace
}  // namespace zelk
