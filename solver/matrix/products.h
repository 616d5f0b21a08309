// Matrix products and vector operations on double matrices.
//
// Output elements are first treated by beta (beta = 0 clears them, whatever they
// held, so a NaN there is overwritten; beta != 1 scales them), then the terms are
// added. Every operand may be a window: elements are read through each operand's
// own origin and leading dimension. Shapes must agree (checked by assert).
#pragma once

#include "matrix/gen_matrix.h"
#include "matrix/symm_matrix.h"

namespace zelk {

// y = alpha * A^T x + beta * y; y(k), k < size(1) of A, sums A(r, k) x(r) over r < size(0).
void multATx(const GenMatrix<double>& A, const ColumnVector<double>& x, ColumnVector<double>& y,
             double alpha, double beta);
// The same on raw arrays: x has size(0) of A elements, y has size(1) of A.
void multATx(const GenMatrix<double>& A, const double* x, double* y, double alpha, double beta);

// y = alpha * S x + beta * y, S symmetric of order n, x and y arrays of n elements.
void multSymmX(const SymmMatrix& S, const double* x, double* y, double alpha, double beta);
void multSymmX(const SymmMatrix& S, const ColumnVector<double>& x, ColumnVector<double>& y,
               double alpha, double beta);

// C = alpha * A^T B + beta * C, summed term by term (small operands of the inner loops).
void multATB(const GenMatrix<double>& A, const GenMatrix<double>& B, GenMatrix<double>& C,
             double alpha, double beta);

// Sum of |v(i)| (BLAS dasum). For a matrix that is not a vector, over all its elements.
double sumAbs(const GenMatrix<double>& v);
// Position from 0 of the first element of largest magnitude, in vector order
// (column-major for a matrix); -1 when v is empty (BLAS idamax).
int indexOfMaxAbs(const GenMatrix<double>& v);

}  // namespace zelk
