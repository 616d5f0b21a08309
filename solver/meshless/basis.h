// Polynomial bases of the moving-least-squares approximation.
//
// A basis vector p has numBasisTerms entries: 1 (SHEP); 1, x, y, z (LINE);
// 1, x, y, z, x^2, y^2, z^2, xy, xz, yz (QUAD). Without CBasis the monomials
// are those of the node's own coordinates; with CBasis those of D = node - point,
// which centres the basis on the evaluation point and improves the conditioning
// of the moment matrix without changing the shape functions.
#pragma once

#include "meshless/approx_settings.h"

namespace zelk {

// p(numBasisTerms entries) for the node relative to the point.
void basisAt(const ApproxSettings& settings, const double point[3], const double node[3], double* p);

// dp(i, k) = d p_i / d x_k, an m x 3 column-major block with leading dimension
// ld; entries not named by the basis are set to 0. Without CBasis the
// quadratic rows use the coordinates of the second argument.
void basisDerivsAt(const ApproxSettings& settings, const double point[3], const double node[3],
                   double* dp, int ld);

}  // namespace zelk
