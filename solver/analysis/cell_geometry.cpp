#include "analysis/cell_geometry.h"

namespace zelk {

std::array<double, 3> cornerReference(int c) {
    return {(c & 1) ? 1.0 : -1.0, (c & 2) ? 1.0 : -1.0, (c & 4) ? 1.0 : -1.0};
}

CellMapping mapCellPoint(const std::array<Point, 8>& corners, double xi, double eta, double zeta) {
    CellMapping map;
    for (int c = 0; c < 8; ++c) {
        const std::array<double, 3> ref = cornerReference(c);
        // Factors of N_c = (1/2 + xi xi_c / 2)(1/2 + eta eta_c / 2)(1/2 + zeta zeta_c / 2).
        const double a = 0.5 + 0.5 * xi * ref[0];
        const double b = 0.5 + 0.5 * eta * ref[1];
        const double g = 0.5 + 0.5 * zeta * ref[2];
        const double shape = a * b * g;
        const double dShape[3] = {0.5 * ref[0] * b * g, a * 0.5 * ref[1] * g, a * b * 0.5 * ref[2]};
        const double x[3] = {corners[c].x, corners[c].y, corners[c].z};
        for (int r = 0; r < 3; ++r) {
            map.position[r] += x[r] * shape;
            for (int d = 0; d < 3; ++d) map.jacobian[r][d] += x[r] * dShape[d];
        }
    }
    return map;
}

double determinant3(const Mat3& m) {
    return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
           m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
           m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
}

double prismVolume(const std::array<Point, 8>& p) {
    const double area = 0.5 * ((p[0].x * p[1].y - p[1].x * p[0].y) + (p[1].x * p[3].y - p[3].x * p[1].y) +
                               (p[3].x * p[2].y - p[2].x * p[3].y) + (p[2].x * p[0].y - p[0].x * p[2].y));
    return area * (p[4].z - p[0].z);
}

Point cellCentre(const std::array<Point, 8>& corners) {
    Point centre;
    for (const Point& c : corners) {
        centre.x += c.x;
        centre.y += c.y;
        centre.z += c.z;
    }
    centre.x *= 0.125;
    centre.y *= 0.125;
    centre.z *= 0.125;
    return centre;
}

}  // namespace zelk
