#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "input/fatal_exit.h"
#include "meshless/distance_sort.h"
#include "meshless/mls_approximation.h"
#include "meshless_test_support.h"

namespace zelk {
namespace {

using testing_meshless::gridNodes;
using testing_meshless::makeNode;

std::vector<int> influenceList(const MlsApproximation& a) {
    std::vector<int> list;
    for (int k = 0; k < a.InflPtsNb; ++k) list.push_back(a.inflPts(k));
    return list;
}

std::vector<Node> lineNodes(std::initializer_list<double> xs) {
    std::vector<Node> nodes;
    for (double x : xs) nodes.push_back(makeNode(x, 0.0, 0.0));
    return nodes;
}

TEST(DistanceSort, EqualDistancesKeepTheExchangeOrder) {
    // Traced by hand: a stable sort would give 1 3 0 2 4.
    std::vector<float> dist = {1, 0, 1, 0, 1};
    std::vector<int> nodes = {0, 1, 2, 3, 4};
    exchangeSortByDistance(dist, nodes);
    EXPECT_EQ(nodes, (std::vector<int>{1, 3, 2, 0, 4}));

    // Nodes at x = 2, 1, -1, -2, 0 about the origin: a stable sort would give 4 1 2 0 3.
    const std::vector<Node> line = lineNodes({2, 1, -1, -2, 0});
    const double origin[3] = {0, 0, 0};
    std::vector<int> sorted(5);
    std::vector<float> sortedDist(5);
    sortNodesByDistance(line, origin, sorted, sortedDist);
    EXPECT_EQ(sorted, (std::vector<int>{4, 2, 1, 3, 0}));
    EXPECT_EQ(sortedDist, (std::vector<float>{0, 1, 1, 2, 2}));
}

TEST(SupportSizes, NearestNeighbourRadiiByHandClampedCountsAndOverwrittenRaises) {
    const std::vector<Node> nodes = lineNodes({0, 1, 3, 6, 10});
    MlsApproximation a(nodes);
    EXPECT_EQ(a.ptsNbInSupport, 5);
    EXPECT_EQ(a.maxInflPts, 5);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(a.SupportSize(i, 0), 0.0);
    a.setInfluenceDomain("SEL");
    a.setSupportCount(2);
    const double expected[5] = {1, 2, 3, 4, 4};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(a.SupportSize(i, 0), expected[i]) << i;
        EXPECT_EQ(a.SupportSize(i, 1), 0.0);
    }
    a.setSupportCount(50);  // clamped to the node count
    EXPECT_EQ(a.ptsNbInSupport, 5);
    EXPECT_EQ(a.SupportSize(0, 0), 10.0);
    a.setSupportCount(0);  // and to one
    EXPECT_EQ(a.ptsNbInSupport, 1);
    EXPECT_EQ(a.SupportSize(0, 0), 0.0);

    const std::vector<Node> far = lineNodes({0, 10, 11});
    MlsApproximation b(far);
    b.setScale(2.0);
    b.setInfluenceDomain("SEL");
    b.setSupportCount(2);
    EXPECT_EQ(b.SupportSize(0, 0), 20.0);
    EXPECT_EQ(b.SupportSize(1, 0), 2.0);  // raised to 20 by node 0, then its own 2
    EXPECT_EQ(b.SupportSize(2, 0), 2.0);
}

// Three nodes with spheres of radius 1 plus one at the point (2, 0, 0).
// Sorted about the point (by hand): 3 2 1 0 at distances 0 1 1 2.
class Selection : public ::testing::Test {
protected:
    Selection() : nodes(lineNodes({0, 1, 3, 2})), a(nodes) {
        a.setBasis("SHEPARD");
        a.setFixedSupport(1, 1, 1);
    }
    std::vector<Node> nodes;
    MlsApproximation a;
    const double point[3] = {2, 0, 0};
};

TEST_F(Selection, SphereBoundaryCountsUnderSelAndAllButNotUnderFix) {
    for (const char* domain : {"SEL", "ALL", "FIX"}) {
        a.setInfluenceDomain(domain);
        EXPECT_TRUE(a.referenceFindInfluenceNodes(point));
        const std::vector<int> expected = domain == std::string("FIX") ? std::vector<int>{3}
                                                                       : std::vector<int>{3, 2, 1};
        EXPECT_EQ(influenceList(a), expected) << domain;
    }
}

TEST_F(Selection, VarGivesThePointItsOwnRadius) {
    a.setInfluenceDomain("VAR");
    a.ptsNbInSupport = 2;
    a.setScale(1.0);
    a.referenceFindInfluenceNodes(point);
    // The second nearest is at 1; node 2 is at 1 too, so three are taken.
    EXPECT_EQ(influenceList(a), (std::vector<int>{3, 2, 1}));
    EXPECT_EQ(a.currentSupport[0], 1.0);
    EXPECT_EQ(a.SupportSize(0, 0), 1.0);
}

TEST_F(Selection, TooFewNodesFailsOrEndsTheRunUnderFix) {
    a.setBasis("LINE");
    a.setInfluenceDomain("SEL");
    EXPECT_FALSE(a.referenceFindInfluenceNodes(point));
    a.setInfluenceDomain("FIX");
    testing::internal::CaptureStdout();
    EXPECT_THROW(a.referenceFindInfluenceNodes(point), FatalExit);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "*** Error*** Too few inflence nodes at point "
              "{ 2.0000e+00   0.0000e+00   0.0000e+00    } \n1\n1.0000e+00");
}

TEST_F(Selection, InvalidDomainTypeIsFatal) {
    a.setInfluenceDomain("XYZ");
    testing::internal::CaptureStdout();
    EXPECT_THROW(a.referenceFindInfluenceNodes(point), FatalExit);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "*** Error *** Invalid type of influence domain (XYZ).\n");
}

TEST(BoxSearch, FacesExcludeAndSizesPerAxis) {
    const std::vector<Node> nodes = {makeNode(0, 0, 0), makeNode(1, 0, 0), makeNode(0, 2, 0),
                                     makeNode(0, 0, 3), makeNode(0.5, 1.5, 2.5)};
    MlsApproximation a(nodes);
    a.setBasis("SHEP");
    a.setSupportRegion("RECTANGLE");
    a.setInfluenceDomain("FIX");
    a.setFixedSupport(1, 2, 3);
    const double origin[3] = {0, 0, 0};
    EXPECT_TRUE(a.referenceFindInfluenceNodes(origin));
    EXPECT_EQ(influenceList(a), (std::vector<int>{0, 4}));
}

TEST(ListGrowth, SearchesThatSelectMoreThanTheCapacityKeepEveryNode) {
    const std::vector<Node> nodes = gridNodes(4, 4, 2);  // 32 nodes
    const double point[3] = {1.5, 1.5, 0.5};
    // Under VAR the 8 nodes around the point are at sqrt(0.75), the next 16 at
    // sqrt(2.75): the 10th nearest reaches every one of those 24.
    const struct {
        const char *region, *domain;
        int capacity, count, found;
    } cases[] = {{"CIRCLE", "FIX", 5, 0, 32}, {"RECTANGLE", "FIX", 5, 0, 32},
                 {"CIRCLE", "VAR", 3, 10, 24}, {"CIRCLE", "SEL", 4, 12, 12}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.region << " " << c.domain);
        MlsApproximation a(nodes);
        a.setMaxInflPts(c.capacity);
        a.setSupportRegion(c.region);
        a.setInfluenceDomain(c.domain);
        if (c.count > 0) {
            a.setSupportCount(c.count);
        } else {
            a.setFixedSupport(100, 100, 100);
        }
        a.referenceFindInfluenceNodes(point);
        ASSERT_EQ(a.InflPtsNb, c.found);
        std::vector<int> list = influenceList(a);
        if (c.found == 32) {
            EXPECT_EQ(list[31], 31);
        }
        std::sort(list.begin(), list.end());
        EXPECT_EQ(std::adjacent_find(list.begin(), list.end()), list.end());
    }
}

// A planar 3 x 3 grid with one node above it: the nine nearest nodes of the
// centre leave the linear basis singular in z until the tenth is swapped in.
// The swapped node's support becomes its distance times Scale, so Scale must
// exceed 1 for it to carry weight at the point.
TEST(SingularCheck, RepairsAPlanarCloud) {
    std::vector<Node> nodes = gridNodes(3, 3, 1);
    nodes.push_back(makeNode(0, 0, 5));
    MlsApproximation a(nodes);
    a.setBasis("LINE");
    a.setScale(2.0);
    a.setInfluenceDomain("SEL");
    a.setSupportCount(9);
    const double centre[3] = {1, 1, 0};
    EXPECT_TRUE(a.referenceFindInfluenceNodes(centre));
    EXPECT_EQ(influenceList(a), (std::vector<int>{4, 3, 1, 5, 7, 0, 6, 2, 8}));
    testing::internal::CaptureStdout();
    EXPECT_FALSE(a.shapeFunctions(centre, 0, "FULL"));  // singular without the repair

    a.setSingularCheck();
    EXPECT_TRUE(a.referenceFindInfluenceNodes(centre));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "3-th diagonal element is exactly zero\n");
    EXPECT_EQ(influenceList(a), (std::vector<int>{4, 3, 1, 5, 7, 0, 6, 2, 9}));
    EXPECT_EQ(a.SupportSize(9, 0), static_cast<double>(static_cast<float>(std::sqrt(27.0))) * 2.0);
    EXPECT_TRUE(a.shapeFunctions(centre, 1, "FULL"));
}

TEST(SingularCheck, ExhaustedCloudIsFatal) {
    std::vector<Node> nodes = gridNodes(4, 4, 1);  // all in one plane
    MlsApproximation a(nodes);
    a.setBasis("LINE");
    a.setInfluenceDomain("SEL");
    a.setSupportCount(9);
    a.setSingularCheck();
    const double point[3] = {1.5, 1.5, 0};
    testing::internal::CaptureStderr();
    EXPECT_THROW(a.referenceFindInfluenceNodes(point), FatalExit);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "*** Error *** SingularCheck : Matrix A is singular !\n");
}

}  // namespace
}  // namespace zelk
