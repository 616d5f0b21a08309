#include "analysis/gauss_quadrature.h"

#include <iostream>

#include "input/fatal_exit.h"

namespace zelk {

namespace {

struct GaussRule {
    double abscissa[kMaxGaussOrder];
    double weight[kMaxGaussOrder];
};

// Gauss-Legendre abscissae (ascending) and weights on [-1, 1], orders 1 to 10,
// to 13 decimals. Entry n - 1 holds order n; unused slots are 0.
constexpr GaussRule kRules[kMaxGaussOrder] = {
    // order 1
    {{0.0000000000000},
     {2.0000000000000}},
    // order 2
    {{-0.5773502691896, 0.5773502691896},
     {1.0000000000000, 1.0000000000000}},
    // order 3
    {{-0.7745966692415, 0.0000000000000, 0.7745966692415},
     {0.5555555555556, 0.8888888888889, 0.5555555555556}},
    // order 4
    {{-0.8611363115941, -0.3399810435849, 0.3399810435849, 0.8611363115941},
     {0.3478548451375, 0.6521451548625, 0.6521451548625, 0.3478548451375}},
    // order 5
    {{-0.9061798459387, -0.5384693101057, 0.0000000000000, 0.5384693101057, 0.9061798459387},
     {0.2369268850562, 0.4786286704994, 0.5688888888889, 0.4786286704994, 0.2369268850562}},
    // order 6
    {{-0.9324695142032, -0.6612093864663, -0.2386191860832, 0.2386191860832, 0.6612093864663, 0.9324695142032},
     {0.1713244923792, 0.3607615730481, 0.4679139345727, 0.4679139345727, 0.3607615730481, 0.1713244923792}},
    // order 7
    {{-0.9491079123428, -0.7415311855994, -0.4058451513774, 0.0000000000000, 0.4058451513774, 0.7415311855994, 0.9491079123428},
     {0.1294849661689, 0.2797053914893, 0.3818300505051, 0.4179591836735, 0.3818300505051, 0.2797053914893, 0.1294849661689}},
    // order 8
    {{-0.9602898564975, -0.7966664774136, -0.5255324099163, -0.1834346424956, 0.1834346424956, 0.5255324099163, 0.7966664774136, 0.9602898564975},
     {0.1012285362904, 0.2223810344534, 0.3137066458779, 0.3626837833784, 0.3626837833784, 0.3137066458779, 0.2223810344534, 0.1012285362904}},
    // order 9
    {{-0.9681602395076, -0.8360311073266, -0.6133714327006, -0.3242534234038, 0.0000000000000, 0.3242534234038, 0.6133714327006, 0.8360311073266, 0.9681602395076},
     {0.0812743883616, 0.1806481606949, 0.2606106964029, 0.3123470770400, 0.3302393550013, 0.3123470770400, 0.2606106964029, 0.1806481606949, 0.0812743883616}},
    // order 10
    {{-0.9739065285172, -0.8650633666890, -0.6794095682990, -0.4333953941292, -0.1488743389816, 0.1488743389816, 0.4333953941292, 0.6794095682990, 0.8650633666890, 0.9739065285172},
     {0.0666713443087, 0.1494513491506, 0.2190863625160, 0.2692667193100, 0.2955242247148, 0.2955242247148, 0.2692667193100, 0.2190863625160, 0.1494513491506, 0.0666713443087}},
};

bool orderInTable(int order) { return order >= 1 && order <= kMaxGaussOrder; }

void checkOrder(int order) {
    if (!orderInTable(order)) {
        std::cout << "*** Error *** Gauss quadrature order " << order << " outside 1 to " << kMaxGaussOrder
                  << " !\n";
        fatalExit(1);
    }
}

}  // namespace

double gaussAbscissa(int order, int k) { return kRules[order - 1].abscissa[k]; }
double gaussWeight(int order, int k) { return kRules[order - 1].weight[k]; }

bool gaussOrdersValid(int nx, int ny, int nz) {
    return orderInTable(nx) && orderInTable(ny) && orderInTable(nz) && nx * ny * nz <= kMaxGaussPointsPerCell;
}

void gaussQuadrature(int nx, int ny, int nz, int& count, double* xi, double* eta, double* zeta, double* w,
                     int dim) {
    count = 0;
    if (dim < 1 || dim > 3) {
        std::cout << "Error dimension in Gauss quadrature !\n";
        fatalExit(1);
    }
    checkOrder(nx);
    if (dim == 1) {
        for (int k = 0; k < nx; ++k) {
            xi[count] = gaussAbscissa(nx, k);
            w[count] = gaussWeight(nx, k);
            ++count;
        }
        return;
    }
    checkOrder(ny);
    if (dim == 2) {
        for (int i = 0; i < nx; ++i) {
            for (int k = 0; k < ny; ++k) {
                xi[count] = gaussAbscissa(nx, i);
                eta[count] = gaussAbscissa(ny, k);
                w[count] = gaussWeight(ny, k) * gaussWeight(nx, i);
                ++count;
            }
        }
        return;
    }
    checkOrder(nz);
    for (int i = 0; i < nx; ++i) {
        for (int j = 0; j < ny; ++j) {
            for (int k = 0; k < nz; ++k) {
                xi[count] = gaussAbscissa(nx, i);
                eta[count] = gaussAbscissa(ny, j);
                zeta[count] = gaussAbscissa(nz, k);
                w[count] = gaussWeight(nz, k) * gaussWeight(ny, j) * gaussWeight(nx, i);
                ++count;
            }
        }
    }
}

}  // namespace zelk
