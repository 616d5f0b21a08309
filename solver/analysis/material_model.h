// Material models of the explicit analysis: the stress update of one
// integration point per time step.
//
//   "IsoEla_Pla_Hyd": hypoelastic deviatoric stress with the Jaumann rate,
//                     von Mises plasticity with linear isotropic hardening
//                     (radial return), hydrodynamic pressure from the density.
//   "IsoElastic":     the same without the plastic return.
//
// Two layers: the workers are pure functions over plain values (testable on
// one point), and MaterialModel::updateStress moves an EvPoint's state
// through them. Suffix conventions: l is the velocity gradient
// l[i][j] = d v_i / d x_j in the current configuration, dt the step length.
#pragma once

#include <cmath>
#include <vector>

#include "model/material.h"
#include "model/model.h"
#include "model/tensor3.h"

namespace zelk {

// The material state of one point.
struct MaterialState {
    Tensor3 stress{};            // Cauchy stress, symmetric [force / length^2]
    double yieldStress = 0.0;    // current yield stress [force / length^2]
    double density = 0.0;        // current density [mass / length^3]
    double plasticStrain = 0.0;  // accumulated effective plastic strain [-]
};

// Constants derived from a material record.
double shearModulus(const Material& material);      // G = E / (2 (1 + nu))
double hardeningModulus(const Material& material);  // H = E Et / (E - Et)
double bulkModulus(const Material& material);       // K = E / (3 (1 - 2 nu))

// What the update needs of a material record, worked out once per material
// rather than at every point and step.
struct MaterialConstants {
    explicit MaterialConstants(const Material& material);
    const Material* material;
    bool updates;         // one of the two types above; other points keep their state
    bool plastic;         // "IsoEla_Pla_Hyd": the yield test and the radial return
    double twoG;          // 2 G
    double hardening;     // H
    double returnFactor;  // 1.5 * 2 G + H, the radial return's denominator
    double bulk;          // K
    double density0;      // reference density
};

inline constexpr double kOneThird = 0.3333333333333333;

// One point's material step over plain row-major arrays (entry (i, j) at
// 3 i + j). Every branch is a select, so that a loop over the points of a
// batch can run on vector registers; the operations and their order are
// those of one point alone, so the results do not depend on the batch.
// stress: in, the Cauchy stress at the start (its upper triangle is read);
// out, at the end (symmetric). Points whose material does not update keep
// their state.
[[gnu::always_inline]] inline void materialStepLane(const double l[9], double stress[9], double& yieldStress,
                                                    double& density, double& plasticStrain,
                                                    const MaterialConstants& c, double dt) {
    const auto L = [l](int i, int j) { return l[3 * i + j]; };
    const double meanStress = (stress[0] + stress[4] + stress[8]) * kOneThird;
    const double rateTrace = L(0, 0) + L(1, 1) + L(2, 2);
    const double newDensity = (1.0 - rateTrace * dt) * density;

    // Deviator S + dt * 2G * dev(sym l), then + dt * (w S - S w) with the spin
    // w = skew l (Jaumann rate), kept symmetric from the upper triangle.
    const double meanRate = (L(2, 2) + L(1, 1) + L(0, 0)) / 3.0;
    double d[3][3], w[3][3], s[3][3];
    #pragma GCC unroll 9
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            d[i][j] = (i == j) ? L(i, i) - meanRate : (L(i, j) + L(j, i)) / 2.0;
            w[i][j] = (L(i, j) - L(j, i)) / 2.0;
            s[i][j] = stress[3 * i + j] - (i == j ? meanStress : 0.0);
        }
    #pragma GCC unroll 9
    for (int i = 0; i < 3; ++i)
        for (int j = i; j < 3; ++j) s[j][i] = s[i][j] = s[i][j] + dt * c.twoG * d[i][j];
    double q[3][3];
    #pragma GCC unroll 9
    for (int i = 0; i < 3; ++i)
        for (int j = i; j < 3; ++j) {
            q[i][j] = 0.0;
            #pragma GCC unroll 9
            for (int k = 0; k < 3; ++k) q[i][j] += w[i][k] * s[k][j] + s[i][k] * w[j][k];
        }
    #pragma GCC unroll 9
    for (int i = 0; i < 3; ++i)
        for (int j = i; j < 3; ++j) s[j][i] = s[i][j] = s[i][j] + dt * q[i][j];

    // Radial return onto the hardened yield surface where the trial stress lies outside.
    double sum = 0.0;
    #pragma GCC unroll 9
    for (const auto& row : s)
        for (double entry : row) sum += entry * entry;
    const double equivalent = std::sqrt(1.5 * sum);
    const bool yields = c.plastic && equivalent > yieldStress;
    const double delta = (equivalent - yieldStress) / c.returnFactor;
    const double newYield = yields ? yieldStress + c.hardening * delta : yieldStress;
    const double newPlasticStrain = yields ? plasticStrain + delta : plasticStrain;
    const double scale = newYield / equivalent;
    // Hydrodynamic pressure, positive in compression.
    const double pressure = c.bulk * (newDensity / c.density0 - 1.0);
    #pragma GCC unroll 9
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            double& entry = stress[3 * i + j];
            entry = c.updates ? (yields ? s[i][j] * scale : s[i][j]) - (i == j ? pressure : 0.0) : entry;
        }
    yieldStress = c.updates ? newYield : yieldStress;
    plasticStrain = c.updates ? newPlasticStrain : plasticStrain;
    density = c.updates ? newDensity : density;
}

// One step of "IsoEla_Pla_Hyd"; plasticReturn = false gives the elastic
// update used for "IsoElastic" (no yield test, yield stress untouched).
MaterialState elastoPlasticHydroUpdate(const MaterialState& old, const Tensor3& l, double dt,
                                       const Material& material, bool plasticReturn = true);
// The same with the material's constants worked out before.
MaterialState elastoPlasticHydroUpdate(const MaterialState& old, const Tensor3& l, double dt,
                                       const MaterialConstants& constants, bool plasticReturn);

// Stateless; the analysis owns one.
class MaterialModel {
public:
    virtual ~MaterialModel() = default;

    // Advances the point's stress, density, yield stress and plastic strain by
    // one step. Points of any type but the two above are left unchanged.
    void updateStress(const Tensor3& l, EvPoint& point, double dt) const;
    // The same with the constants of the point's material (a step's hot loop).
    static void updateStress(const Tensor3& l, EvPoint& point, double dt, const MaterialConstants& constants);
};

// The constants of every material the points use, and which entry serves
// each point: rebuilt whenever the points may have changed their material.
class MaterialCache {
public:
    void build(const std::vector<const Material*>& points);
    const MaterialConstants& of(int point) const { return constants_[index_[point]]; }

private:
    std::vector<MaterialConstants> constants_;
    std::vector<int> index_;  // per point; points without a material share the entry of none
};

}  // namespace zelk
