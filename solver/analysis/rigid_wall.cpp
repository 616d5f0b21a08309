#include "analysis/rigid_wall.h"

#include <cctype>
#include <cmath>

namespace zelk {

std::array<double, 3> RigidWall::penetration(const std::array<double, 3>&) const { return {0.0, 0.0, 0.0}; }

bool RigidWall::beyondPlane(const std::array<double, 3>& x) const {
    if (axis < 1 || axis > 3) return false;
    const double coordinate = x[axis - 1];
    return (side == 1 && coordinate > position) || (side == -1 && coordinate < position);
}

std::array<double, 3> PlaneWall::penetration(const std::array<double, 3>& x) const {
    std::array<double, 3> g{0.0, 0.0, 0.0};
    if (beyondPlane(x)) g[axis - 1] = x[axis - 1] - position;
    return g;
}

std::array<double, 3> CylinderWall::penetration(const std::array<double, 3>& x) const {
    std::array<double, 3> g{0.0, 0.0, 0.0};
    if (!beyondPlane(x)) return g;
    // Distance from the coordinate axis of the wall's direction.
    double r = 0.0;
    switch (axis) {
        case 1: r = std::sqrt(std::pow(x[2], 2.0) + std::pow(x[1], 2.0)); break;
        case 2: r = std::sqrt(std::pow(x[2], 2.0) + std::pow(x[0], 2.0)); break;
        default: r = std::sqrt(std::pow(x[1], 2.0) + std::pow(x[0], 2.0)); break;
    }
    if ((radialSide == 1 && r < radius) || (radialSide == -1 && r > radius)) g[axis - 1] = x[axis - 1] - position;
    return g;
}

int wallAxisFromWord(std::string_view word) {
    const char first = word.empty() ? ' ' : static_cast<char>(std::toupper(static_cast<unsigned char>(word[0])));
    if (first == 'Y') return 2;
    if (first == 'Z') return 3;
    return 1;
}

}  // namespace zelk
