#include "meshless/approx_settings.h"

#include <array>
#include <string_view>

namespace zelk {

namespace {

bool beginsWith(const std::string& text, std::string_view prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

WeightKernel weightKernelFromName(const std::string& name) {
    // ORDER WeightKernel: the first match wins.
    static constexpr std::array<std::string_view, 8> names = {"GAU",   "EXP", "SL234", "SL345",
                                                              "CUBIC", "HIF", "SQU1",  "SQU2"};
    for (std::size_t k = 0; k < names.size(); ++k)
        if (beginsWith(name, names[k])) return static_cast<WeightKernel>(k);
    return WeightKernel::Unknown;
}

BasisKind basisKindFromName(const std::string& name) {
    if (beginsWith(name, "SHEP")) return BasisKind::Shepard;
    if (beginsWith(name, "LINE")) return BasisKind::Linear;
    if (beginsWith(name, "QUAD")) return BasisKind::Quadratic;
    return BasisKind::Unknown;
}

int basisTermCount(BasisKind kind) {
    switch (kind) {
        case BasisKind::Shepard: return 1;
        case BasisKind::Linear: return 4;
        case BasisKind::Quadratic: return 10;
        case BasisKind::Unknown: break;
    }
    return 0;
}

bool isBoxRegion(const std::string& supportRegion) { return beginsWith(supportRegion, "RECT"); }

void ApproxSettings::setWeightType(const std::string& name) {
    weightType_ = name;
    kernel_ = weightKernelFromName(name);
}

void ApproxSettings::setSupportRegion(const std::string& text) {
    supportRegion_ = text;
    boxSupport_ = isBoxRegion(text);
}

void ApproxSettings::setBasisType(const std::string& name) {
    basisType_ = name;
    basis_ = basisKindFromName(name);
}

}  // namespace zelk
