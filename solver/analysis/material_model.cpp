#include "analysis/material_model.h"

#include <cmath>

namespace zelk {

namespace {

// The material step of one point whose tensors are kept as 3 x 3 arrays.
void stepFlat(const Tensor3& l, Tensor3& stress, double& yieldStress, double& density, double& plasticStrain,
              const MaterialConstants& c, double dt) {
    double flatL[9], flatStress[9];
    for (int k = 0; k < 9; ++k) {
        flatL[k] = l[k / 3][k % 3];
        flatStress[k] = stress[k / 3][k % 3];
    }
    materialStepLane(flatL, flatStress, yieldStress, density, plasticStrain, c, dt);
    for (int k = 0; k < 9; ++k) stress[k / 3][k % 3] = flatStress[k];
}

}  // namespace

double shearModulus(const Material& material) { return material.youngsModulus * 0.5 / (material.poissonRatio + 1.0); }

double hardeningModulus(const Material& material) {
    return material.youngsModulus * material.tangentModulus / (material.youngsModulus - material.tangentModulus);
}

double bulkModulus(const Material& material) {
    return material.youngsModulus * kOneThird / (1.0 - 2.0 * material.poissonRatio);
}

MaterialConstants::MaterialConstants(const Material& m)
    : material(&m),
      updates(m.type == kIsoElaPlaHydType || m.type == kIsoElasticType),
      plastic(m.type == kIsoElaPlaHydType),
      twoG(2.0 * shearModulus(m)),
      hardening(hardeningModulus(m)),
      returnFactor(1.5 * 2.0 * shearModulus(m) + hardeningModulus(m)),
      bulk(bulkModulus(m)),
      density0(m.density0) {}

MaterialState elastoPlasticHydroUpdate(const MaterialState& old, const Tensor3& l, double dt,
                                       const Material& material, bool plasticReturn) {
    return elastoPlasticHydroUpdate(old, l, dt, MaterialConstants(material), plasticReturn);
}

MaterialState elastoPlasticHydroUpdate(const MaterialState& old, const Tensor3& l, double dt,
                                       const MaterialConstants& c, bool plasticReturn) {
    MaterialConstants constants = c;
    constants.updates = true;
    constants.plastic = plasticReturn;
    MaterialState next = old;
    stepFlat(l, next.stress, next.yieldStress, next.density, next.plasticStrain, constants, dt);
    return next;
}

void MaterialModel::updateStress(const Tensor3& l, EvPoint& point, double dt) const {
    if (point.material) updateStress(l, point, dt, MaterialConstants(*point.material));
}

void MaterialModel::updateStress(const Tensor3& l, EvPoint& point, double dt, const MaterialConstants& c) {
    stepFlat(l, point.stress, point.yieldStress, point.density, point.plasticStrain, c, dt);
}

void MaterialCache::build(const std::vector<const Material*>& points) {
    static const Material kNone{};  // type "void": never updated
    constants_.assign(1, MaterialConstants(kNone));
    index_.resize(points.size());
    for (std::size_t p = 0; p < points.size(); ++p) {
        const Material* material = points[p] ? points[p] : &kNone;
        std::size_t entry = 0;
        while (entry < constants_.size() && constants_[entry].material != material) ++entry;
        if (entry == constants_.size()) constants_.emplace_back(*material);
        index_[p] = static_cast<int>(entry);
    }
}

}  // namespace zelk
