#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>

#include "analysis/dynamic_analysis.h"
#include "analysis/material_model.h"
#include "input/fatal_exit.h"
#include "trilinear_grid.h"

namespace zelk {
namespace {

struct Body : test::GridBody {
    explicit Body(const char* scheme, test::GridShape g = {2, 2, 2, 0.5}) : GridBody(g) {
        start(scheme).computeWeightsAndMass();
    }
    // u = grad * X for every node, v = rate * X.
    void setLinearField(const double grad[3][3], const double rate[3][3]) {
        for (int i = 0; i < model.NUMNP; ++i) {
            const double X[3] = {model.nodes[i].x, model.nodes[i].y, model.nodes[i].z};
            for (int a = 0; a < 3; ++a) {
                analysis->displacement[3 * i + a] = grad[a][0] * X[0] + grad[a][1] * X[1] + grad[a][2] * X[2];
                analysis->velocity[3 * i + a] = rate[a][0] * X[0] + rate[a][1] * X[1] + rate[a][2] * X[2];
            }
        }
    }
};

class InternalForces : public testing::TestWithParam<const char*> {};

TEST_P(InternalForces, RigidTranslationGivesNoForceAndNoStress) {
    Body body(GetParam());
    DynamicAnalysis& a = *body.analysis;
    for (int i = 0; i < body.model.NUMNP; ++i) {
        a.displacement[3 * i] = 0.3;
        a.displacement[3 * i + 1] = -0.2;
        a.displacement[3 * i + 2] = 0.1;
        a.velocity[3 * i] = 5.0;
        a.velocity[3 * i + 2] = -1.0;
    }
    a.internalForces(1e-3);
    for (double f : a.force) EXPECT_NEAR(f, 0.0, 1e-12);
    EXPECT_NEAR(a.minJacobian, 1.0, 1e-12);
    ASSERT_FALSE(a.pointState.empty());
    for (const MaterialState& p : a.pointState) EXPECT_NEAR(p.density, 8.0, 1e-12);
}

TEST_P(InternalForces, UniformStretchGivesTheMaterialsStressAndBalancedForces) {
    Body body(GetParam());
    DynamicAnalysis& a = *body.analysis;
    const double e = -0.02, r = 3.0, dt = 1e-3;
    const double grad[3][3] = {{e, 0, 0}, {0, 0, 0}, {0, 0, 0}};
    const double rate[3][3] = {{r, 0, 0}, {0, 0, 0}, {0, 0, 0}};
    body.setLinearField(grad, rate);
    a.internalForces(dt);
    EXPECT_NEAR(a.minJacobian, 1.0 + e, 1e-12);
    // l = Fdot F^-1 = diag(r / (1 + e), 0, 0); the material turns it into this stress.
    Tensor3 l{};
    l[0][0] = r / (1.0 + e);
    MaterialState start{Tensor3{}, body.material.yieldStress0, body.material.density0, 0.0};
    const MaterialState expected = elastoPlasticHydroUpdate(start, l, dt, body.material, false);
    ASSERT_GT(expected.stress[0][0], 0.0);
    ASSERT_FALSE(a.pointState.empty());
    for (const MaterialState& p : a.pointState)
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) EXPECT_NEAR(p.stress[i][j], expected.stress[i][j], 1e-9);
    // Internal forces balance; a tensile stress pulls the x = 1 face back (-x) and the x = 0 face forward.
    double total[3] = {0, 0, 0}, faceForce = 0.0;
    for (int i = 0; i < body.model.NUMNP; ++i) {
        for (int d = 0; d < 3; ++d) total[d] += a.force[3 * i + d];
        if (body.model.nodes[i].x == 1.0) faceForce += a.force[3 * i];
    }
    for (double t : total) EXPECT_NEAR(t, 0.0, 1e-10);
    // P_xx = J F^-1 sigma = sigma_xx over the unit face area (Gauss points integrate it exactly).
    if (std::string(GetParam()) == "EFG") {
        EXPECT_NEAR(faceForce, -expected.stress[0][0], 1e-9 * std::abs(expected.stress[0][0]) + 1e-12);
    }
}

// J just above 0.01 passes; below it the run stops with the point and its material named.
TEST_P(InternalForces, SmallJacobianStopsWithExitOneAndTheBoundaryPasses) {
    const double rate[3][3] = {};
    for (const double stretch : {-0.98999, -0.995}) {
        Body body(GetParam());
        const double grad[3][3] = {{stretch, 0, 0}, {0, 0, 0}, {0, 0, 0}};
        body.setLinearField(grad, rate);
        testing::internal::CaptureStdout();
        try {
            body.analysis->internalForces(1e-3);
            EXPECT_NEAR(body.analysis->minJacobian, 1.0 + stretch, 1e-12);
            EXPECT_EQ(stretch, -0.98999) << "no stop";
        } catch (const FatalExit& e) {
            EXPECT_EQ(e.exitCode, 1);
            EXPECT_EQ(stretch, -0.995);
        }
        const std::string out = testing::internal::GetCapturedStdout();
        if (stretch == -0.98999) continue;
        EXPECT_EQ(out.rfind("Point:", 0), 0u) << out;
        EXPECT_NE(out.find("          steel"), std::string::npos) << out;
        EXPECT_NE(out.find("\nJacobi is too small during stiff P5.00000e-03"), std::string::npos) << out;
    }
}

// Flattened at constant volume, F = diag(2, 2, 1/4): det F stays 1, so only a
// STRETCH step shrinks, by sqrt(3) / |F^-1| = sqrt(3 / 16.5).
TEST_P(InternalForces, FlatteningAtConstantVolumeShrinksOnlyTheStretchStep) {
    const double grad[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, -0.75}}, rate[3][3] = {};
    for (const char* word : {"VARIABLE", "STRETCH"}) {
        Body body(GetParam());
        body.analysis->setStepLength(word, 1e-3);
        body.setLinearField(grad, rate);
        body.analysis->internalForces(1e-3);
        EXPECT_NEAR(body.analysis->minJacobian, word[0] == 'S' ? std::sqrt(3.0 / 16.5) : 1.0, 1e-12) << word;
    }
}

// One unit cell under EFG with u_x = X + Y, u_y = Y + 2Z and no velocity: F = [[2, 1, 0],
// [0, 2, 2], [0, 0, 1]], J = 4, F^-1 = [[1/2, -1/4, 1/2], [0, 1/2, -1], [0, 0, 1]]. Nothing
// moves, so the material keeps a deviatoric stress (its pressure comes from the density):
// sigma = [[1, 2, 3], [2, -4, 5], [3, 5, 3]]. F^-1 sigma has the rows (1.5, 4.5, 1.75),
// (-2, -7, -0.5) and (3, 5, 3). Each node's dphi/dX_i integrates over the cell to +1/4 on
// the face X_i = 1, so node (1, 1, 1) gets -J / 4 times the column sums (2.5, 2.5, 4.25).
TEST(InternalForcesByHand, GeneralGradientAndStressGiveJTimesFInverseSigma) {
    Body body("EFG", {1, 1, 1, 1.0});
    const double grad[3][3] = {{1, 1, 0}, {0, 1, 2}, {0, 0, 0}}, rate[3][3] = {};
    body.setLinearField(grad, rate);
    for (MaterialState& p : body.analysis->pointState) p.stress = {{{1, 2, 3}, {2, -4, 5}, {3, 5, 3}}};
    body.analysis->internalForces(1e-3);
    const double expected[3] = {-2.5, -2.5, -4.25};
    for (int a = 0; a < 3; ++a) EXPECT_NEAR(body.analysis->force[3 * 7 + a], expected[a], 1e-12) << a;
}

INSTANTIATE_TEST_SUITE_P(Schemes, InternalForces, testing::Values("EFG", "PIEFG"));

}  // namespace
}  // namespace zelk
