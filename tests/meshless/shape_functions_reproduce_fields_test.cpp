#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "meshless/mls_approximation.h"
#include "meshless/weight_functions.h"
#include "meshless_test_support.h"

namespace zelk {
namespace {

using testing_meshless::jitteredNodes;

// Scattered evaluation points inside the cloud, away from its faces.
const double kPoints[][3] = {{1.3, 1.7, 2.1}, {2.45, 1.05, 1.6}, {1.9, 2.6, 1.2}, {2.0, 2.0, 2.0}};

struct Case {
    const char* basis;
    const char* kernel;
    bool centred;
    const char* type;
};

class ShapeFunctions : public ::testing::TestWithParam<Case> {
protected:
    void SetUp() override { weightParameter = 0.0; }
    void TearDown() override { weightParameter = 0.0; }
};

// Sum over the influence nodes of coefficient(node) * phi and * dphi/dx_k.
struct Reproduced {
    double value = 0.0;
    double grad[3] = {0.0, 0.0, 0.0};
};

template <typename Field>
Reproduced reproduce(const MlsApproximation& a, Field field) {
    Reproduced r;
    for (int H = 0; H < a.InflPtsNb; ++H) {
        const Node& n = a.nodes()[a.inflPts(H)];
        const double f = field(n.x, n.y, n.z);
        r.value += f * a.shapeValues(H);
        for (int k = 0; k < 3; ++k) r.grad[k] += f * a.shapeDerivs(H, k);
    }
    return r;
}

TEST_P(ShapeFunctions, ReproduceTheirBasisAndItsGradients) {
    const Case c = GetParam();
    const std::vector<Node> nodes = jitteredNodes(5, 5, 5, 1.0, 0.2, 7);
    MlsApproximation a(nodes, c.type);
    a.setBasis(c.basis);
    a.setWeight(c.kernel, 0.0);
    if (c.centred) a.setCBasis();
    a.setScale(1.6);
    a.setInfluenceDomain("SEL");
    a.setSupportCount(30);
    const bool quadratic = std::string(c.basis) == "QUAD";
    for (const auto& x : kPoints) {
        ASSERT_TRUE(a.shapeFunctions(x, 1, "FULL"));
        // f = 1, f = 2 - x + 3y + 0.5z and (QUAD only) f = x^2 - 2yz + 0.5z^2 + xy,
        // each with its value and gradient at the point.
        const double px = x[0], py = x[1], pz = x[2];
        const struct {
            double (*f)(double, double, double);
            double value, grad[3];
        } fields[] = {
            {[](double, double, double) { return 1.0; }, 1.0, {0, 0, 0}},
            {[](double x, double y, double z) { return 2 - x + 3 * y + 0.5 * z; },
             2 - px + 3 * py + 0.5 * pz, {-1, 3, 0.5}},
            {[](double x, double y, double z) { return x * x - 2 * y * z + 0.5 * z * z + x * y; },
             px * px - 2 * py * pz + 0.5 * pz * pz + px * py, {2 * px + py, px - 2 * pz, pz - 2 * py}}};
        for (int i = 0; i < (quadratic ? 3 : 2); ++i) {
            const Reproduced r = reproduce(a, fields[i].f);
            const double tol = i < 2 ? 1e-10 : 1e-9;
            EXPECT_NEAR(r.value, fields[i].value, tol) << "field " << i;
            for (int k = 0; k < 3; ++k) EXPECT_NEAR(r.grad[k], fields[i].grad[k], tol) << "field " << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    BasesKernelsAndTypes, ShapeFunctions,
    ::testing::Values(Case{"LINE", "SL234", false, "MLS Approximation"},
                      Case{"LINE", "CUBIC", true, "MLS Approximation"},
                      Case{"QUAD", "SL234", false, "MLS Approximation"},
                      Case{"QUAD", "SQU2", true, "MFLS Approximation"},
                      Case{"QUAD", "GAU", true, "MLS Approximation"},
                      Case{"QUAD", "EXP", true, "MLS Approximation"},
                      Case{"LINE", "SL234", false, "LSQ Approximation"},
                      Case{"QUAD", "HIF", true, "LSQ Approximation"}));

// Evaluates at a point with the influence list held fixed.
MlsApproximation& evaluateWithList(MlsApproximation& a, const EvPoint& withList, double x, double y,
                                   double z, int order, const char* mode) {
    EvPoint p = withList;
    p.x = x;
    p.y = y;
    p.z = z;
    a.evaluateAt(p, order, mode);
    return a;
}

TEST(ShapeFunctionDerivatives, MatchFiniteDifferencesOfTheValues) {
    const std::vector<Node> nodes = jitteredNodes(5, 5, 5, 1.0, 0.2, 11);
    for (const char* kernel : {"SL234", "SL345", "CUBIC", "SQU1"}) {
        weightParameter = 0.0;
        MlsApproximation a(nodes);
        a.setWeight(kernel, 0.0);
        a.setScale(1.5);
        a.setInfluenceDomain("SEL");
        a.setSupportCount(25);
        EvPoint point;
        point.x = 1.7;
        point.y = 2.2;
        point.z = 1.4;
        a.evaluateAt(point, 1, "FULL");
        const int c = point.inflPtsNb;
        const double h = 1e-6;
        for (int k = 0; k < 3; ++k) {
            double plus[3] = {point.x, point.y, point.z}, minus[3] = {point.x, point.y, point.z};
            plus[k] += h;
            minus[k] -= h;
            evaluateWithList(a, point, plus[0], plus[1], plus[2], 0, "FULL");
            const std::vector<double> up(a.shapeValues.data(), a.shapeValues.data() + c);
            evaluateWithList(a, point, minus[0], minus[1], minus[2], 0, "FULL");
            for (int H = 0; H < c; ++H) {
                const double fd = (up[H] - a.shapeValues(H)) / (2 * h);
                EXPECT_NEAR(point.shapeDerivs[H][k], fd, 1e-6) << kernel << " node " << H << " dir " << k;
            }
        }
    }
}

TEST(ShapeFunctionDerivatives, ModesAgreeOnlyForLeastSquares) {
    const std::vector<Node> nodes = jitteredNodes(4, 4, 4, 1.0, 0.2, 5);
    const double x[3] = {1.4, 1.6, 1.5};
    auto derivs = [&](const char* type, const char* mode) {
        MlsApproximation a(nodes, type);
        a.setBasis("LINE");
        a.setScale(1.7);
        a.setInfluenceDomain("SEL");
        a.setSupportCount(20);
        EXPECT_TRUE(a.shapeFunctions(x, 1, mode));
        return std::vector<double>(a.shapeDerivs.data(), a.shapeDerivs.data() + 3 * a.InflPtsNb);
    };
    EXPECT_EQ(derivs("LSQ Approximation", "FULL"), derivs("LSQ Approximation", "BASIS"));
    const std::vector<double> full = derivs("MLS Approximation", "FULL");
    const std::vector<double> partial = derivs("MLS Approximation", "PART");
    double difference = 0.0;
    for (std::size_t i = 0; i < full.size(); ++i) difference += std::fabs(full[i] - partial[i]);
    EXPECT_GT(difference, 1e-3);
}

}  // namespace
}  // namespace zelk
