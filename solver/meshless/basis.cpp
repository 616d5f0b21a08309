#include "meshless/basis.h"

namespace zelk {

namespace {

// The coordinates the basis is taken at: the node's own, or, with a centred
// basis, the node's offset from the evaluation point.
void basisCoordinates(const ApproxSettings& settings, const double point[3], const double node[3], double& x,
                      double& y, double& z) {
    const double* origin = settings.CBasis ? point : nullptr;
    x = origin ? node[0] - origin[0] : node[0];
    y = origin ? node[1] - origin[1] : node[1];
    z = origin ? node[2] - origin[2] : node[2];
}

}  // namespace

void basisAt(const ApproxSettings& settings, const double point[3], const double node[3], double* p) {
    p[0] = 1.0;
    const BasisKind kind = settings.basis();
    if (kind != BasisKind::Linear && kind != BasisKind::Quadratic) return;
    double x, y, z;
    basisCoordinates(settings, point, node, x, y, z);
    p[1] = x;
    p[2] = y;
    p[3] = z;
    if (kind != BasisKind::Quadratic) return;
    p[4] = x * x;
    p[5] = y * y;
    p[6] = z * z;
    p[7] = x * y;
    p[8] = x * z;
    p[9] = y * z;
}

void basisDerivsAt(const ApproxSettings& settings, const double point[3], const double node[3],
                   double* dp, int ld) {
    const int m = basisTermCount(settings.basis());
    for (int k = 0; k < 3; ++k)
        for (int i = 0; i < m; ++i) dp[i + k * ld] = 0.0;
    const BasisKind kind = settings.basis();
    if (kind != BasisKind::Linear && kind != BasisKind::Quadratic) return;
    auto at = [dp, ld](int i, int k) -> double& { return dp[i + k * ld]; };
    at(1, 0) = at(2, 1) = at(3, 2) = 1.0;
    if (kind != BasisKind::Quadratic) return;
    double x, y, z;
    basisCoordinates(settings, point, node, x, y, z);
    at(4, 0) = 2.0 * x;
    at(5, 1) = 2.0 * y;
    at(6, 2) = 2.0 * z;
    at(7, 0) = y;
    at(7, 1) = x;
    at(8, 0) = z;
    at(8, 2) = x;
    at(9, 1) = z;
    at(9, 2) = y;
}

}  // namespace zelk
