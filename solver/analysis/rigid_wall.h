// Rigid, possibly moving, obstacles of the dynamic analysis.
//
// A wall is a plane normal to one coordinate axis. A point penetrates it when
// it lies beyond the plane on the wall's side; the penetration g has only the
// axis component, x[axis] - position, and the analysis turns it into a
// penalty force that grows linearly with the depth.
#pragma once

#include <array>
#include <string_view>

namespace zelk {

class RigidWall {
public:
    virtual ~RigidWall() = default;

    // Penetration of the point x; the base wall never touches anything.
    virtual std::array<double, 3> penetration(const std::array<double, 3>& x) const;

    // The plane advances by dt * wallVelocity along its axis.
    void move(double dt) { position += dt * wallVelocity; }

    int side = 1;                // +1: points above position penetrate; -1: points below; other: no contact
    double position = 0.0;       // plane coordinate along the axis [length]
    int axis = 1;                // 1, 2, 3 for X, Y, Z
    double wallVelocity = 0.0;   // speed of the plane along its axis [length / time]
    double penaltyFactor = 0.0;  // penalty force per depth, in units of E times the point's weight [1 / length]

protected:
    // True when x is strictly beyond the plane on the wall's side.
    bool beyondPlane(const std::array<double, 3>& x) const;
};

// An unbounded plane (GRIDWALL PLANE).
class PlaneWall : public RigidWall {
public:
    std::array<double, 3> penetration(const std::array<double, 3>& x) const override;
};

// A plane limited to the inside (radialSide +1) or outside (radialSide -1) of
// a disc about the coordinate axis of its own axis direction, such as a flat
// circular punch (GRIDWALL CYLINDER).
class CylinderWall : public RigidWall {
public:
    std::array<double, 3> penetration(const std::array<double, 3>& x) const override;

    double radius = 0.0;  // disc radius about the coordinate axis [length]
    int radialSide = 1;   // +1: acts inside the radius; -1: outside; other: never acts
};

// Axis number (1 X, 2 Y, 3 Z) of an axis word, from its first character
// upper-cased; any other word gives X.
int wallAxisFromWord(std::string_view word);

}  // namespace zelk
