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
// G = 400, H = E Et / (E - Et) = 1000 / 9, K = 1000 / (3 * 0.5) = 2000 / 3.
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

// Deviator per step: 2G * (2/3) * 1e-3 = 0.5333; q = 1.5 * Sxx reaches 10 in step 13.
// With hardening modulus H, the yield stress then rises by H per unit plastic
// strain and the deviator by (4/3) G H / (3G + H) per unit strain; Et = 0 gives H = 0.
TEST(MaterialUpdate, UniaxialStrainPathElasticThenHardening) {
    for (const double tangent : {100.0, 0.0}) {
        SCOPED_TRACE(testing::Message() << "Et = " << tangent);
        Material m = plasticMaterial();
        m.tangentModulus = tangent;
        const double h = m.youngsModulus * tangent / (m.youngsModulus - tangent);
        MaterialState state = freshState(m);
        for (int step = 1; step <= 30; ++step) {
            const MaterialState next = elastoPlasticHydroUpdate(state, kStretch, kDt, m);
            const double slope = (deviatorOf(next.stress)[0][0] - deviatorOf(state.stress)[0][0]) / 1e-3;
            if (step <= 12) {
                EXPECT_NEAR(slope, 4.0 / 3.0 * kG, 1e-9);
                EXPECT_EQ(next.plasticStrain, 0.0);
            } else if (step == 13) {  // trial q = 10.4: return by 0.4 / (3G + H)
                EXPECT_NEAR(next.plasticStrain, 0.4 / (3.0 * kG + h), 1e-15);
            } else {
                EXPECT_NEAR(slope, 4.0 / 3.0 * kG * h / (3.0 * kG + h), 1e-9);
            }
            EXPECT_NEAR(next.yieldStress, 10.0 + h * next.plasticStrain, 1e-12);
            if (step >= 13) {
                EXPECT_NEAR(equivalent(deviatorOf(next.stress)), next.yieldStress, 1e-12);
            }
            state = next;
            if (step != 12) continue;
            // By hand: Sxx = 6.4, rho = 2 * 0.999^12, p = K (0.999^12 - 1), sigma = S - p.
            const double p12 = kK * (std::pow(0.999, 12) - 1.0);
            EXPECT_NEAR(state.stress[0][0], 6.4 - p12, 1e-9);
            EXPECT_NEAR(state.stress[1][1], -3.2 - p12, 1e-9);
            EXPECT_NEAR(state.density, 2.0 * std::pow(0.999, 12), 1e-15);
        }
    }
}

TEST(MaterialUpdate, TrialOnTheYieldSurfaceStaysElasticAndOneBeyondReturnsRadially) {
    const Material m = plasticMaterial();
    const double h = 1000.0 / 9.0;
    MaterialState state = freshState(m);
    state.stress = diag(2.0, -1.0, -1.0);  // q = sqrt(1.5 * 6) = 3 exactly
    state.yieldStress = 3.0;
    const MaterialState same = elastoPlasticHydroUpdate(state, Tensor3{}, kDt, m);
    EXPECT_EQ(same.plasticStrain, 0.0);
    EXPECT_EQ(same.stress, state.stress);  // l = 0, density = density0: unchanged

    state.yieldStress = 2.9;  // just below: return by (3 - 2.9) / (3G + H)
    const MaterialState returned = elastoPlasticHydroUpdate(state, Tensor3{}, kDt, m);
    EXPECT_NEAR(returned.plasticStrain, 0.1 / (3.0 * kG + h), 1e-15);
    EXPECT_NEAR(equivalent(returned.stress), returned.yieldStress, 1e-14);
    EXPECT_NEAR(returned.stress[1][1] / returned.stress[0][0], -0.5, 1e-15);
}

// One step changes S by dt (wS - Sw) = dt * 2 omega in the xy entries; a quarter
// turn swaps the principal values and keeps the invariant (to the explicit step's error).
TEST(MaterialUpdate, PureSpinRotatesTheDeviatorAndKeepsItsInvariant) {
    Material m = plasticMaterial();
    m.yieldStress0 = 1e9;  // stay elastic
    MaterialState state = freshState(m);
    state.stress = diag(1.0, -1.0, 0.0);
    const Tensor3 spin{{{0.0, -1.0, 0.0}, {1.0, 0.0, 0.0}, {0.0, 0.0, 0.0}}};
    const MaterialState one = elastoPlasticHydroUpdate(state, spin, kDt, m);
    EXPECT_NEAR(one.stress[0][1], 2.0 * kDt, 1e-15);
    EXPECT_NEAR(one.stress[1][0], 2.0 * kDt, 1e-15);
    EXPECT_EQ(one.stress[0][0], 1.0);

    const int steps = 20000;
    for (int step = 0; step < steps; ++step)
        state = elastoPlasticHydroUpdate(state, spin, std::numbers::pi / 2.0 / steps, m);
    EXPECT_NEAR(state.stress[0][0], -1.0, 1e-3);
    EXPECT_NEAR(state.stress[1][1], 1.0, 1e-3);
    EXPECT_NEAR(state.stress[0][1], 0.0, 1e-3);
    EXPECT_NEAR(equivalent(state.stress), std::sqrt(3.0), 1e-3);
    EXPECT_EQ(state.density, m.density0);
    EXPECT_EQ(state.plasticStrain, 0.0);
}

// p = K (rho / rho0 - 1), positive in compression; a rate diag(-r, 0, 0)
// raises the density by (1 + r dt) in one step.
TEST(MaterialUpdate, PressureFollowsTheDensity) {
    const Material m = plasticMaterial();
    const struct {
        double density, rate, newDensity;
    } cases[] = {{2.2, 0.0, 2.2}, {2.0, -10.0, 2.02}};
    for (const auto& c : cases) {
        MaterialState state = freshState(m);
        state.density = c.density;
        const MaterialState next = elastoPlasticHydroUpdate(state, diag(c.rate, 0.0, 0.0), kDt, m);
        EXPECT_NEAR(next.density, c.newDensity, 1e-15);
        const double mean = (next.stress[0][0] + next.stress[1][1] + next.stress[2][2]) / 3.0;
        EXPECT_NEAR(mean, -kK * (c.newDensity / 2.0 - 1.0), 1e-12);
        EXPECT_EQ(next.stress[0][1], 0.0);
    }
}

// An elastic point gets the same update as the plastic model kept elastic;
// other types and points without a material are left alone.
TEST(MaterialModel, ElasticPointsGetTheUpdateWithoutReturnAndOthersAreLeftAlone) {
    Material elastic = plasticMaterial(), other = plasticMaterial();
    elastic.type = kIsoElasticType;
    elastic.tangentModulus = -1.0;
    elastic.yieldStress0 = -1.0;
    other.type = "void";
    const Material plastic = plasticMaterial();
    EvPoint point, otherPoint, orphan;
    point.material = &elastic;
    point.density = elastic.density0;
    point.yieldStress = elastic.yieldStress0;
    otherPoint.material = &other;
    otherPoint.density = 3.0;
    MaterialState reference = freshState(plastic);
    reference.yieldStress = 1e30;
    const MaterialModel model;
    for (int step = 0; step < 50; ++step) {
        for (EvPoint* p : {&point, &otherPoint, &orphan}) model.updateStress(kStretch, *p, kDt);
        reference = elastoPlasticHydroUpdate(reference, kStretch, kDt, plastic);
    }
    EXPECT_EQ(point.stress, reference.stress);  // q = 40 by now: far beyond any yield
    EXPECT_EQ(point.density, reference.density);
    EXPECT_EQ(point.yieldStress, -1.0);
    EXPECT_EQ(point.plasticStrain, 0.0);
    EXPECT_GT(point.stress[0][0], 0.0);  // an elastic bar resists stretching
    EXPECT_EQ(otherPoint.stress, Tensor3{});
    EXPECT_EQ(otherPoint.density, 3.0);
    EXPECT_EQ(orphan.stress, Tensor3{});
}

}  // namespace
}  // namespace zelk
