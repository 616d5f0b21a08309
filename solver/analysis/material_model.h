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

// S + dt * 2G * dev(sym l), then + dt * (w S - S w) with the spin w = skew l.
Tensor3 jaumannDeviatorUpdate(const Tensor3& l, const Tensor3& deviator, double twoG, double dt);

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
    void build(const std::vector<EvPoint>& points);
    const MaterialConstants& of(int point) const { return constants_[index_[point]]; }

private:
    std::vector<MaterialConstants> constants_;
    std::vector<int> index_;  // per point; points without a material share the entry of none
};

}  // namespace zelk
