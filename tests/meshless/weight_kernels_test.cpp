#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "input/fatal_exit.h"
#include "meshless/approx_settings.h"
#include "meshless/weight_functions.h"

namespace zelk {
namespace {

const char* const kKernels[] = {"GAU", "EXP", "SL234", "SL345", "CUBIC", "HIF", "SQU1", "SQU2"};

ApproxSettings settingsFor(const std::string& kernel, const std::string& region = "CIRCLE") {
    ApproxSettings s;
    s.setWeightType(kernel);
    s.setSupportRegion(region);
    return s;
}

// Radial weight of a node at the origin seen from a point at distance s * d on x.
double radial(const std::string& kernel, double s, double d = 2.0) {
    const double node[3] = {0.0, 0.0, 0.0};
    const double support[3] = {d, d, d};
    const double point[3] = {s * d, 0.0, 0.0};
    return plainWeight(settingsFor(kernel), node, support, point, 0);
}

class WeightKernels : public ::testing::Test {
protected:
    void SetUp() override { weightParameter = 0.0; }
    void TearDown() override { weightParameter = 0.0; }
};

TEST_F(WeightKernels, ClosedFormValuesBranchJoinsAndSupportEnds) {
    const double e1 = std::exp(-1.0), e4 = std::exp(-4.0);
    const double past = std::nextafter(0.5, 1.0), before = std::nextafter(0.5, 0.0);
    // {kernel, parameter, s = distance / support, value written out from the kernel polynomial}
    const struct {
        const char* kernel;
        double parameter, s, value;
    } cases[] = {
        {"SL234", 0, 0.25, 1 - 6 * 0.0625 + 8 * 0.015625 - 3 * 0.00390625}, {"SL234", 0, 0.5, 0.3125},
        {"SL345", 0, 0.5, 0.5}, {"HIF", 0, 0.5, 0.5}, {"SQU2", 0, 0.5, 0.5625},
        {"CUBIC", 0, 0.25, 2.0 / 3 - 0.25 + 0.0625}, {"CUBIC", 0, 0.0, 2.0 / 3},
        {"CUBIC", 0, 0.75, 4.0 / 3 - 3 + 2.25 - 4.0 / 3 * 0.421875}, {"CUBIC", 0, 0.5, 1.0 / 6},
        {"CUBIC", 0, past, 1.0 / 6}, {"SQU1", 0, 0.25, 0.875}, {"SQU1", 0, 0.75, 0.125},
        {"SQU1", 0, 0.5, 0.5}, {"SQU1", 0, before, 0.5}, {"EXP", 0.5, 0.5, e1},
        {"GAU", 2.0, 0.5, (e1 - e4) / (1 - e4)}, {"GAU", 4.0, 0.0, 1.0}, {"GAU", 4.0, 1.0, 0.0}};
    for (const auto& c : cases) {
        weightParameter = c.parameter;
        EXPECT_NEAR(radial(c.kernel, c.s), c.value, 1e-12) << c.kernel << " at " << c.s;
    }
    weightParameter = 0.0;
    for (const char* kernel : {"SL234", "SL345", "HIF", "SQU1", "SQU2", "CUBIC"}) {
        EXPECT_NEAR(radial(kernel, 1.0), 0.0, 1e-15) << kernel;
        EXPECT_EQ(radial(kernel, 1.0001), 0.0) << kernel;
    }
}

TEST_F(WeightKernels, ParameterDefaultsStayForLaterKernels) {
    weightParameter = 0.0;
    radial("EXP", 0.3);
    EXPECT_EQ(weightParameter, 0.4);
    // GAU now finds a positive parameter and keeps beta = 0.4.
    const double expected = (std::exp(-0.16 * 0.09) - std::exp(-0.16)) / (1 - std::exp(-0.16));
    EXPECT_NEAR(radial("GAU", 0.3), expected, 1e-14);
    weightParameter = -1.0;
    radial("GAU", 0.3);
    EXPECT_EQ(weightParameter, 4.0);
    weightParameter = 0.0;
    radial("SL234", 0.3);
    EXPECT_EQ(weightParameter, 0.0);
}

// Central differences of index `from` along x_k, compared with index `to`.
void expectDerivativeMatches(const ApproxSettings& s, const double node[3], const double support[3],
                             const double point[3], int from, int k, int to, const char* what) {
    const double h = 1e-6;
    double plus[3] = {point[0], point[1], point[2]};
    double minus[3] = {point[0], point[1], point[2]};
    plus[k] += h;
    minus[k] -= h;
    const double fd = (plainWeight(s, node, support, plus, from) -
                       plainWeight(s, node, support, minus, from)) / (2 * h);
    const double exact = plainWeight(s, node, support, point, to);
    EXPECT_NEAR(exact, fd, 1e-6 * (1 + std::fabs(exact)))
        << what << " " << s.weightType() << " index " << to << " from " << from << " along " << k;
}

TEST_F(WeightKernels, DerivativesAgreeWithFiniteDifferences) {
    const double node[3] = {0.1, -0.2, 0.3};
    const double support[3] = {1.3, 0.9, 1.1};
    // Points in both CUBIC/SQU1 branches, off every axis and away from branch points.
    const double points[][3] = {{0.35, 0.1, 0.05}, {0.6, -0.7, 0.9}, {-0.4, 0.2, 0.55}};
    const int mixed[3][3] = {{4, 7, 8}, {7, 5, 9}, {8, 9, 6}};
    for (const char* region : {"CIRCLE", "RECTANGLE"}) {
        for (const char* kernel : kKernels) {
            weightParameter = std::string(kernel) == "GAU" ? 3.0 : 0.45;
            const ApproxSettings s = settingsFor(kernel, region);
            for (const auto& point : points) {
                for (int k = 0; k < 3; ++k) {
                    expectDerivativeMatches(s, node, support, point, 0, k, 1 + k, region);
                    for (int l = 0; l < 3; ++l)
                        expectDerivativeMatches(s, node, support, point, 1 + l, k, mixed[l][k], region);
                }
            }
        }
    }
}

TEST_F(WeightKernels, TensorFormVanishesOutsideTheBoxAndIsFlatAtTheNode) {
    const double node[3] = {0.0, 0.0, 0.0};
    const double support[3] = {1.0, 2.0, 0.5};
    for (const char* kernel : kKernels) {
        weightParameter = 0.0;
        const ApproxSettings s = settingsFor(kernel, "RECTANGLE");
        const double outsideZ[3] = {0.1, 0.1, 0.51};
        const double outsideY[3] = {0.1, -2.01, 0.1};
        for (int index = 0; index <= 9; ++index) {
            EXPECT_EQ(plainWeight(s, node, support, outsideZ, index), 0.0) << kernel;
            EXPECT_EQ(plainWeight(s, node, support, outsideY, index), 0.0) << kernel;
        }
        for (int k = 1; k <= 3; ++k) EXPECT_EQ(plainWeight(s, node, support, node, k), 0.0) << kernel;
    }
    // The z factor is scaled by the third extent only: moving 0.25 in z is half the box.
    weightParameter = 0.0;
    const ApproxSettings s = settingsFor("HIF", "RECTANGLE");
    const double point[3] = {0.0, 0.0, 0.25};
    EXPECT_DOUBLE_EQ(plainWeight(s, node, support, point, 0), 0.5);
    EXPECT_DOUBLE_EQ(plainWeight(s, node, support, point, 3), (-6 * 0.5 + 6 * 0.25) / 0.5);
}

TEST_F(WeightKernels, UnknownKernelIsFatal) {
    const double node[3] = {0, 0, 0}, support[3] = {1, 1, 1};
    testing::internal::CaptureStderr();
    EXPECT_THROW(plainWeight(settingsFor("SL2"), node, support, node, 0), FatalExit);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Invalid type of weight function : SL2\n");
}

TEST_F(WeightKernels, SingularWeightAnnouncesItselfAndDividesByItsComplement) {
    ApproxSettings s = settingsFor("SL234");
    s.SingularWeight = 1;
    const double node[3] = {0, 0, 0}, support[3] = {2, 2, 2}, point[3] = {1.0, 0, 0};
    testing::internal::CaptureStdout();
    const double w = weightValue(s, node, support, point, 0);
    const double wx = weightValue(s, node, support, point, 1);
    const std::string out = testing::internal::GetCapturedStdout();
    const std::string line = " Sorry, the SinWeightFun have not been modified in 3D Program!\n";
    EXPECT_EQ(out, line + line);
    const double plain = 0.3125;  // SL234 at s = 0.5
    const double plainX = (-12 + 12 - 3) * 1.0 / 4.0;
    EXPECT_NEAR(w, plain / (1.00001 - plain), 1e-14);
    EXPECT_NEAR(wx, plainX / ((1.00001 - plain) * (1.00001 - plain)), 1e-13);
}

}  // namespace
}  // namespace zelk
