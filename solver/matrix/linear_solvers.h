// LU factorisation, LU solution and condition estimate over LAPACK.
#pragma once

#include "matrix/gen_matrix.h"

namespace zelk {

// A = P L U in place (LAPACK dgetrf); pivots (at least min(rows, cols) elements,
// from 1) receive the row interchanges. A singular or invalid A prints the reason on
// standard output and ends the run with exit code 1. A may be a window.
void luFactor(GenMatrix<double>& A, ColumnVector<int>& pivots);

// B = A^-1 B with the factors of luFactor (LAPACK dgetrs), every column of B a
// right-hand side. A failure prints a message on standard output and returns.
void luSolve(const GenMatrix<double>& A, GenMatrix<double>& B, const ColumnVector<int>& pivots);

// Estimate of the reciprocal one-norm condition number 1 / (|A|_1 |A^-1|_1) of a
// square A (LAPACK dgetrf then dgecon on a copy); 0 for a singular A.
double conditionEstimate(GenMatrix<double> A);

}  // namespace zelk
