// Material records: the data a MATERIAL entry gives, owned by the Model.
//
// One kind of record serves both material types; the type text tells them
// apart. The stress update that uses these records lives in the analysis
// (analysis/material_model.h), so the model does not depend on it.
#pragma once

#include <string>

namespace zelk {

// Type texts of the two material types.
inline constexpr const char* kIsoElasticType = "IsoElastic";          // hypoelastic with hydrodynamic pressure
inline constexpr const char* kIsoElaPlaHydType = "IsoEla_Pla_Hyd";    // elastic-plastic with hydrodynamic pressure

struct Material {
    std::string name = "void";     // name from the MATERIAL entry; points and cells refer to it (case-sensitive)
    std::string type = "void";     // kIsoElasticType or kIsoElaPlaHydType
    double density0 = -1.0;        // reference density rho0 [mass / length^3]; -1 until set
    double youngsModulus = -1.0;   // Young's modulus E [force / length^2]; -1 until set
    double poissonRatio = -1.0;    // Poisson's ratio nu [-]; -1 until set
    double tangentModulus = -1.0;  // plastic tangent modulus Et [force / length^2]; IsoEla_Pla_Hyd only, else -1
    double yieldStress0 = -1.0;    // initial yield stress [force / length^2]; IsoEla_Pla_Hyd only, else -1
};

}  // namespace zelk
