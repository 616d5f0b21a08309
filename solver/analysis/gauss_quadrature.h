// Tensor-product Gauss-Legendre rules on the reference cell [-1, 1]^dim.
#pragma once

namespace zelk {

// Orders of the built-in table: 1 to kMaxGaussOrder per direction.
inline constexpr int kMaxGaussOrder = 10;
// Capacity of the per-cell point arrays: the product of the three orders may not exceed it.
inline constexpr int kMaxGaussPointsPerCell = 150;

// Abscissa k (ascending, 0 <= k < order) of the order-point rule on [-1, 1].
double gaussAbscissa(int order, int k);
// Weight of that abscissa; the weights of one order sum to 2.
double gaussWeight(int order, int k);

// True when every order lies in 1..kMaxGaussOrder and their product fits
// kMaxGaussPointsPerCell (orders of unused directions are passed as 1).
bool gaussOrdersValid(int nx, int ny, int nz);

// Writes the points of the product rule of orders nx (xi), ny (eta), nz (zeta)
// into the caller's arrays, the last direction running fastest, with weights
// that are the products of the 1-D weights; count receives the number of
// points. dim 1 uses nx only, dim 2 nx and ny (eta fastest), dim 3 all three.
// The arrays must hold the product of the orders used. A dimension other than
// 1, 2, 3 prints "Error dimension in Gauss quadrature !" and ends with exit 1;
// orders the table does not hold end the run with exit 1 as well.
void gaussQuadrature(int nx, int ny, int nz, int& count, double* xi, double* eta, double* zeta,
                     double* w, int dim);

}  // namespace zelk
