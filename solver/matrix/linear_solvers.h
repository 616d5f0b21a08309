// Condition estimate over LAPACK.
#pragma once

#include "matrix/gen_matrix.h"

namespace zelk {

// Estimate of the reciprocal one-norm condition number 1 / (|A|_1 |A^-1|_1) of a
// square A (LAPACK dgetrf then dgecon on a copy); 0 for a singular A.
double conditionEstimate(GenMatrix<double> A);

}  // namespace zelk
