// Geometry of a background cell: a hexahedron given by 8 corners in tensor
// order, corner c = i + 2j + 4k (i along xi, j along eta, k along zeta), so
// corner c sits at xi = -1 for even c and +1 for odd c, eta = +1 for
// c in {2, 3, 6, 7}, zeta = +1 for c >= 4.
#pragma once

#include <array>

#include "model/model.h"

namespace zelk {

using Mat3 = std::array<std::array<double, 3>, 3>;

// Reference coordinates (xi, eta, zeta) of corner c.
std::array<double, 3> cornerReference(int c);

// The trilinear map of a cell at one reference point.
struct CellMapping {
    std::array<double, 3> position{};  // physical position of the point [length]
    Mat3 jacobian{};                   // jacobian[r][c] = d x_r / d xi_c
};

// Position and Jacobian of the reference point (xi, eta, zeta) of the cell
// with the given corners, through N_c = (1 + xi xi_c)(1 + eta eta_c)(1 + zeta zeta_c) / 8.
CellMapping mapCellPoint(const std::array<Point, 8>& corners, double xi, double eta, double zeta);

// Determinant of a 3 x 3 matrix, expanded along its first row.
double determinant3(const Mat3& m);

// Volume of the cell taken as a right prism along z: the area of the
// quadrilateral 0-1-3-2 projected on the x-y plane times (z4 - z0). Negative
// when that face runs clockwise seen from +z or corner 4 lies below corner 0.
double prismVolume(const std::array<Point, 8>& corners);

// Mean of the 8 corners.
Point cellCentre(const std::array<Point, 8>& corners);

}  // namespace zelk
