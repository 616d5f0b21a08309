// Compactly supported weights of the moving-least-squares approximation.
//
// Eight kernels f(s) of a normalised distance 0 <= s <= 1 (zero beyond 1),
// used in radial form over a sphere of radius support[0] or in tensor-product
// form over a box of half-widths support[0..2]. Derivatives are taken with
// respect to the evaluation point, the node fixed. Derivative indices:
// 0 w; 1..3 dw/dx, dw/dy, dw/dz; 4..6 d2w/dx2, d2w/dy2, d2w/dz2;
// 7..9 d2w/dxdy, d2w/dxdz, d2w/dydz.
#pragma once

#include "meshless/approx_settings.h"

namespace zelk {

// Parameter of the "EXP" (alpha) and "GAU" (beta) kernels, shared by every
// approximation. An "EXP" evaluation that finds it not positive sets it to 0.4,
// a "GAU" evaluation to 4.0; the value set stays.
extern double weightParameter;

// One derivative of the weight of the node at the point: through SinWeightFun
// when settings.SingularWeight is set, else plainWeight.
double weightValue(const ApproxSettings& settings, const double node[3], const double support[3],
                   const double point[3], int derivIndex);

// The kernel chosen by settings.weightType in the form chosen by supportRegion.
// An unknown kernel name is fatal (exit 1).
double plainWeight(const ApproxSettings& settings, const double node[3], const double support[3],
                   const double point[3], int derivIndex);

// Singular weight w / ((1 + 1e-5) - w) with derivatives numbered as in two
// dimensions (3, 4, 5 = xx, xy, yy); announces on standard output on every
// call that it was not adapted to three dimensions. Indices 6..9 give 0.
double SinWeightFun(const ApproxSettings& settings, const double node[3], const double support[3],
                    const double point[3], int derivIndex);

// The weight and (when withGradient) its first derivatives in one evaluation;
// w and dw[k] equal weightValue for indices 0 and k + 1 exactly.
struct WeightSample {
    double w = 0.0;
    double dw[3] = {0.0, 0.0, 0.0};
};
WeightSample weightWithGradient(const ApproxSettings& settings, const double node[3],
                                const double support[3], const double point[3], bool withGradient);

}  // namespace zelk
