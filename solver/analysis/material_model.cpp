#include "analysis/material_model.h"

#include <cmath>

namespace zelk {

namespace {

constexpr double kOneThird = 0.3333333333333333;

}  // namespace

double shearModulus(const Material& material) { return material.youngsModulus * 0.5 / (material.poissonRatio + 1.0); }

double hardeningModulus(const Material& material) {
    return material.youngsModulus * material.tangentModulus / (material.youngsModulus - material.tangentModulus);
}

double bulkModulus(const Material& material) {
    return material.youngsModulus * kOneThird / (1.0 - 2.0 * material.poissonRatio);
}

Tensor3 jaumannDeviatorUpdate(const Tensor3& l, const Tensor3& deviator, double twoG, double dt) {
    const double meanRate = (l[2][2] + l[1][1] + l[0][0]) / 3.0;
    Tensor3 d{};  // deviatoric rate of deformation
    Tensor3 w{};  // spin
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            d[i][j] = (i == j) ? l[i][i] - meanRate : (l[i][j] + l[j][i]) / 2.0;
            w[i][j] = (l[i][j] - l[j][i]) / 2.0;
        }
    }
    // Elastic trial increment, kept symmetric from the upper triangle.
    Tensor3 s = deviator;
    for (int i = 0; i < 3; ++i)
        for (int j = i; j < 3; ++j) s[j][i] = s[i][j] = s[i][j] + dt * twoG * d[i][j];
    // Jaumann rotation term Q = w S - S w, from the updated S.
    Tensor3 q{};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            for (int k = 0; k < 3; ++k) q[i][j] += w[i][k] * s[k][j] + s[i][k] * w[j][k];
    for (int i = 0; i < 3; ++i)
        for (int j = i; j < 3; ++j) s[j][i] = s[i][j] = s[i][j] + dt * q[i][j];
    return s;
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
    MaterialState next = old;

    const Tensor3& sigma = old.stress;
    const double meanStress = (sigma[0][0] + sigma[1][1] + sigma[2][2]) * kOneThird;
    const double rateTrace = l[0][0] + l[1][1] + l[2][2];
    next.density = (1.0 - rateTrace * dt) * old.density;

    Tensor3 deviator = sigma;
    for (int i = 0; i < 3; ++i) deviator[i][i] -= meanStress;
    deviator = jaumannDeviatorUpdate(l, deviator, c.twoG, dt);

    if (plasticReturn) {
        double sum = 0.0;
        for (const auto& row : deviator)
            for (double entry : row) sum += entry * entry;
        const double equivalent = std::sqrt(1.5 * sum);
        if (equivalent > old.yieldStress) {
            // Radial return onto the hardened yield surface.
            const double h = c.hardening;
            const double delta = (equivalent - old.yieldStress) / c.returnFactor;
            next.plasticStrain = old.plasticStrain + delta;
            next.yieldStress = old.yieldStress + h * delta;
            const double scale = next.yieldStress / equivalent;
            for (auto& row : deviator)
                for (double& entry : row) entry *= scale;
        }
    }

    // Hydrodynamic pressure, positive in compression.
    const double pressure = c.bulk * (next.density / c.density0 - 1.0);
    next.stress = deviator;
    for (int i = 0; i < 3; ++i) next.stress[i][i] -= pressure;
    return next;
}

void MaterialModel::updateStress(const Tensor3& l, EvPoint& point, double dt) const {
    if (point.material) updateStress(l, point, dt, MaterialConstants(*point.material));
}

void MaterialModel::updateStress(const Tensor3& l, EvPoint& point, double dt, const MaterialConstants& c) {
    if (!c.updates) return;
    MaterialState state{point.stress, point.yieldStress, point.density, point.plasticStrain};
    state = elastoPlasticHydroUpdate(state, l, dt, c, /*plasticReturn=*/c.plastic);
    point.stress = state.stress;
    point.yieldStress = state.yieldStress;
    point.density = state.density;
    point.plasticStrain = state.plasticStrain;
}

void MaterialCache::build(const std::vector<EvPoint>& points) {
    static const Material kNone{};  // type "void": never updated
    constants_.assign(1, MaterialConstants(kNone));
    index_.resize(points.size());
    for (std::size_t p = 0; p < points.size(); ++p) {
        const Material* material = points[p].material ? points[p].material : &kNone;
        std::size_t entry = 0;
        while (entry < constants_.size() && constants_[entry].material != material) ++entry;
        if (entry == constants_.size()) constants_.emplace_back(*material);
        index_[p] = static_cast<int>(entry);
    }
}

}  // namespace zelk
