// The interface through which the analysis asks for shape functions.
#pragma once

#include <string_view>

namespace zelk {

class Approximation {
public:
    virtual ~Approximation() = default;

    // Fills the influence list of the point; false when fewer nodes than basis
    // terms were found (the caller may go on: the moment matrix then fails).
    virtual bool findInfluenceNodes(const double point[3]) = 0;
    // Per-node support sizes from the nearest-neighbour distances.
    virtual void computeSupportSizes() = 0;
    // Shape functions (order 0) and first derivatives (order 1) at the point;
    // mode "FULL" differentiates the moment matrix too. False when the moment
    // matrix is singular.
    virtual bool shapeFunctions(const double point[3], int order, std::string_view mode) = 0;
};

}  // namespace zelk
