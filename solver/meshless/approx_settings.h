// The settings block that the weight functions and the bases read.
//
// The texts keep what the commands gave; their decoded forms (kernel, box or
// sphere support, basis kind) are refreshed by the setters, so that the inner
// loops of the shape-function evaluation switch on small enums instead of
// comparing texts for every node.
#pragma once

#include <string>

namespace zelk {

// Weight kernels, in the order in which their names are tried.
enum class WeightKernel { Gaussian, Exponential, Sl234, Sl345, Cubic, Hif, Squ1, Squ2, Unknown };

// Polynomial bases: 1; 1, x, y, z; 1, x, y, z and the six quadratic monomials.
enum class BasisKind { Shepard, Linear, Quadratic, Unknown };

// Kernel named by weightType: the first entry of GAU, EXP, SL234, SL345, CUBIC,
// HIF, SQU1, SQU2 that agrees with the name on the entry's own length.
WeightKernel weightKernelFromName(const std::string& name);

// Basis named by the first four characters: SHEP, LINE or QUAD.
BasisKind basisKindFromName(const std::string& name);

// Number of basis monomials in three dimensions; 0 for an unknown basis.
int basisTermCount(BasisKind kind);

// True when the support-region text begins with "RECT" (case-sensitive):
// box supports and the tensor-product weight. Every other text is a sphere.
bool isBoxRegion(const std::string& supportRegion);

class ApproxSettings {
public:
    const std::string& weightType() const { return weightType_; }
    const std::string& supportRegion() const { return supportRegion_; }
    const std::string& basisType() const { return basisType_; }

    void setWeightType(const std::string& name);
    void setSupportRegion(const std::string& text);
    void setBasisType(const std::string& name);

    WeightKernel kernel() const { return kernel_; }
    bool boxSupport() const { return boxSupport_; }
    BasisKind basis() const { return basis_; }

    unsigned char SingularWeight = 0;  // non-zero: weights go through SinWeightFun
    unsigned char CBasis = 0;          // non-zero: monomials of (node - point)

private:
    std::string weightType_ = "SL234";
    std::string supportRegion_ = "CIRCLE";
    std::string basisType_ = "QUADRIC Basis";
    WeightKernel kernel_ = WeightKernel::Sl234;
    bool boxSupport_ = false;
    BasisKind basis_ = BasisKind::Quadratic;
};

}  // namespace zelk
