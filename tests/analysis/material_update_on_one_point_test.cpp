// The stress update of one point, with no analysis around it: elastic and
// plastic slopes of a uniaxial strain path, the yield point, the return onto
// the yield surface, spin, pressure, and the elastic material.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "analysis/material_model.h"

namespace zelk {
namespace {

// E = 1000, nu = 0.25, rho0 = 2, Et = 100, yield 10:
// G = 400, H = 1000 * 100 / 900 = 1000 / 9, K = 1000 / (3 * 0.5) = 2000 / 3.
Material plasticMaterial() {
    Material m;
    m.name = "m";
    m.type = kIsoElaPlaHydType;
    m.youngsModulus = 1000.0;
    m.poissonRatio = 0.25;
    m.density0 = 2.0;
    m.tangentModulus = 100.0;
    m.yieldStress0 = 10.0;
    return m;
}
constexpr double kG = 400.0;
constexpr double kH = 1000.0 / 9.0;
constexpr double kK = 2000.0 / 3.0;

MaterialState freshState(const Material& m) {
    MaterialState state;
    state.density = m.density0;
    state.yieldStress = m.yieldStress0;
    return state;
}

Tensor3 diag(double a, double b, double c) { return Tensor3{{{a, 0, 0}, {0, b, 0}, {0, 0, c}}}; }

// Deviator of a stress and its von Mises equivalent sqrt(1.5 S:S).
Tensor3 deviatorOf(const Tensor3& sigma) {
    Tensor3 s = sigma;
    double mean = (sigma[0][0] + sigma[1][1] + sigma[2][2]) / 3.0;
    for (int i = 0; i < 3; ++i) s[i][i] -= mean;
    return s;
}
double equivalent(const Tensor3& s) {
    double sum = 0.0;
    for (const auto& row : s)
        for (double v : row) sum += v * v;
    return std::sqrt(1.5 * sum);
}

// Uniaxial strain rate along x: each step adds the strain r * dt = 1e-3.
constexpr double kDt = 1e-3;
const Tensor3 kStretch = diag(1.0, 0.0, 0.0);

TEST(MaterialUpdate, UniaxialStrainPathElasticThenHardening) {
    const Material m = plasticMaterial();
    MaterialState state = freshState(m);
    const double strainStep = 1e-3;
    // Deviator per step: 2G * (2/3) * 1e-3 = 0.5333; q = 1.5 * Sxx reaches 10 in step 13.
    for (int step = 1; step <= 12; ++step) {
        MaterialState next = elastoPlasticHydroUpdate(state, kStretch, kDt, m);
        // Elastic slope of the deviator: (4/3) G.
        EXPECT_NEAR(deviatorOf(next.stress)[0][0] - deviatorOf(state.stress)[0][0], 4.0 / 3.0 * kG * strainStep, 1e-12);
        state = next;
    }
    EXPECT_EQ(state.plasticStrain, 0.0);
    EXPECT_EQ(state.yieldStress, 10.0);
    // Stress-strain point after 12 steps, by hand: Sxx = 12 * 0.53333 = 6.4,
    // rho = 2 * 0.999^12, p = K (0.999^12 - 1) = -7.96367..., sigma_xx = Sxx - p.
    const double p12 = kK * (std::pow(0.999, 12) - 1.0);
    EXPECT_NEAR(state.stress[0][0], 6.4 - p12, 1e-9);
    EXPECT_NEAR(state.stress[1][1], -3.2 - p12, 1e-9);
    EXPECT_NEAR(state.density, 2.0 * std::pow(0.999, 12), 1e-15);

    // Step 13 yields: trial q = 10.4, delta = 0.4 / (3G + H).
    MaterialState yielded = elastoPlasticHydroUpdate(state, kStretch, kDt, m);
    const double delta = 0.4 / (3.0 * kG + kH);
    EXPECT_NEAR(yielded.plasticStrain, delta, 1e-15);
    EXPECT_NEAR(yielded.yieldStress, 10.0 + kH * delta, 1e-12);
    EXPECT_NEAR(equivalent(deviatorOf(yielded.stress)), yielded.yieldStress, 1e-12);

    // Plastic range: every further step raises the yield stress by H 3G de / (3G + H)
    // with de = (2/3) * 1e-3, and the deviator by (4/3) G H / (3G + H) per unit strain.
    state = yielded;
    for (int step = 14; step <= 30; ++step) {
        MaterialState next = elastoPlasticHydroUpdate(state, kStretch, kDt, m);
        const double yieldRise = next.yieldStress - state.yieldStress;
        EXPECT_NEAR(yieldRise, kH * 3.0 * kG * (2.0 / 3.0 * strainStep) / (3.0 * kG + kH), 1e-12);
        EXPECT_NEAR(yieldRise / (next.plasticStrain - state.plasticStrain), kH, 1e-6);  // = E Et / (E - Et)
        EXPECT_NEAR(deviatorOf(next.stress)[0][0] - deviatorOf(state.stress)[0][0],
                    4.0 / 3.0 * kG * kH / (3.0 * kG + kH) * strainStep, 1e-12);
        state = next;
    }
}

TEST(MaterialUpdate, ZeroTangentModulusLeavesTheYieldStressFixed) {
    Material m = plasticMaterial();
    m.tangentModulus = 0.0;
    MaterialState state = freshState(m);
    for (int step = 0; step < 40; ++step) state = elastoPlasticHydroUpdate(state, kStretch, kDt, m);
    EXPECT_GT(state.plasticStrain, 0.0);
    EXPECT_EQ(state.yieldStress, 10.0);
    EXPECT_NEAR(equivalent(deviatorOf(state.stress)), 10.0, 1e-12);
}

TEST(MaterialUpdate, TrialExactlyOnTheYieldSurfaceStaysElastic) {
    const Material m = plasticMaterial();
    MaterialState state = freshState(m);
    state.stress = diag(2.0, -1.0, -1.0);  // q = sqrt(1.5 * 6) = 3 exactly
    state.yieldStress = 3.0;
    MaterialState same = elastoPlasticHydroUpdate(state, Tensor3{}, kDt, m);
    EXPECT_EQ(same.plasticStrain, 0.0);
    EXPECT_EQ(same.yieldStress, 3.0);
    EXPECT_EQ(same.stress, state.stress);  // l = 0, density = density0: unchanged

    state.yieldStress = 2.9;  // just below: return by (3 - 2.9) / (3G + H)
    MaterialState returned = elastoPlasticHydroUpdate(state, Tensor3{}, kDt, m);
    const double delta = 0.1 / (3.0 * kG + kH);
    EXPECT_NEAR(returned.plasticStrain, delta, 1e-15);
    EXPECT_NEAR(returned.yieldStress, 2.9 + kH * delta, 1e-14);
    EXPECT_NEAR(equivalent(returned.stress), returned.yieldStress, 1e-14);
    EXPECT_NEAR(returned.stress[1][1] / returned.stress[0][0], -0.5, 1e-15);  // radial: direction kept
}

TEST(MaterialUpdate, PureSpinRotatesTheDeviatorAndKeepsItsInvariant) {
    Material m = plasticMaterial();
    m.yieldStress0 = 1e9;  // stay elastic
    MaterialState state = freshState(m);
    state.stress = diag(1.0, -1.0, 0.0);
    const double omega = 1.0;
    const Tensor3 spin{{{0.0, -omega, 0.0}, {omega, 0.0, 0.0}, {0.0, 0.0, 0.0}}};

    // One step: S changes by dt (wS - Sw) = dt * 2 omega in the xy entries.
    MaterialState one = elastoPlasticHydroUpdate(state, spin, kDt, m);
    EXPECT_EQ(one.density, m.density0);
    EXPECT_NEAR(one.stress[0][1], 2.0 * omega * kDt, 1e-15);
    EXPECT_NEAR(one.stress[1][0], 2.0 * omega * kDt, 1e-15);
    EXPECT_EQ(one.stress[0][0], 1.0);

    // A quarter turn swaps the principal values; the invariant stays (to the
    // second-order error of the explicit step).
    const int steps = 20000;
    const double dt = (std::numbers::pi / 2.0) / omega / steps;
    for (int step = 0; step < steps; ++step) state = elastoPlasticHydroUpdate(state, spin, dt, m);
    EXPECT_NEAR(state.stress[0][0], -1.0, 1e-3);
    EXPECT_NEAR(state.stress[1][1], 1.0, 1e-3);
    EXPECT_NEAR(state.stress[0][1], 0.0, 1e-3);
    EXPECT_NEAR(equivalent(state.stress), std::sqrt(3.0), 1e-3);
    EXPECT_EQ(state.density, m.density0);
    EXPECT_EQ(state.plasticStrain, 0.0);
}

TEST(MaterialUpdate, PressureFollowsTheDensity) {
    const Material m = plasticMaterial();
    MaterialState state = freshState(m);
    state.density = 2.2;  // rho / rho0 - 1 = 0.1
    MaterialState next = elastoPlasticHydroUpdate(state, Tensor3{}, kDt, m);
    const double p = kK * 0.1;  // 66.67, positive in compression
    EXPECT_NEAR(next.stress[0][0], -p, 1e-12);
    EXPECT_NEAR(next.stress[2][2], -p, 1e-12);
    EXPECT_EQ(next.stress[0][1], 0.0);

    // Compression rate diag(-r, 0, 0): density rises by (1 + r dt) a step.
    MaterialState fresh = freshState(m);
    MaterialState squeezed = elastoPlasticHydroUpdate(fresh, diag(-10.0, 0.0, 0.0), kDt, m);
    EXPECT_NEAR(squeezed.density, 2.0 * 1.01, 1e-15);
    const double mean = (squeezed.stress[0][0] + squeezed.stress[1][1] + squeezed.stress[2][2]) / 3.0;
    EXPECT_NEAR(mean, -kK * 0.01, 1e-12);
}

TEST(MaterialModel, ElasticPointsGetTheUpdateWithoutReturn) {
    Material elastic = plasticMaterial();
    elastic.type = kIsoElasticType;
    elastic.tangentModulus = -1.0;
    elastic.yieldStress0 = -1.0;
    const Material plastic = plasticMaterial();

    EvPoint point;
    point.material = &elastic;
    point.density = elastic.density0;
    point.yieldStress = elastic.yieldStress0;
    MaterialState reference = freshState(plastic);
    reference.yieldStress = 1e30;  // the plastic model kept elastic
    const MaterialModel model;
    for (int step = 0; step < 50; ++step) {
        model.updateStress(kStretch, point, kDt);
        reference = elastoPlasticHydroUpdate(reference, kStretch, kDt, plastic);
    }
    EXPECT_EQ(point.stress, reference.stress);  // q = 40 by now: far beyond any yield
    EXPECT_EQ(point.density, reference.density);
    EXPECT_EQ(point.yieldStress, -1.0);
    EXPECT_EQ(point.plasticStrain, 0.0);
    EXPECT_GT(point.stress[0][0], 0.0);  // an elastic bar resists stretching
}

TEST(MaterialModel, OtherTypesAndMissingMaterialsAreLeftAlone) {
    Material other = plasticMaterial();
    other.type = "void";
    EvPoint point;
    point.material = &other;
    point.density = 3.0;
    MaterialModel().updateStress(kStretch, point, kDt);
    EXPECT_EQ(point.stress, Tensor3{});
    EXPECT_EQ(point.density, 3.0);

    EvPoint orphan;
    MaterialModel().updateStress(kStretch, orphan, kDt);
    EXPECT_EQ(orphan.stress, Tensor3{});
}

}  // namespace
}  // namespace zelk
