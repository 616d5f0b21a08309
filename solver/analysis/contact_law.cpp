#include "analysis/contact_law.h"

#include <algorithm>
#include <cmath>

namespace zelk {

double ContactLaw::normalForce(double depth, double approachSpeed, double mass, double dt) const {
    if (!(depth > 0.0) || !(mass > 0.0) || !(dt > 0.0)) return 0.0;
    const double stiffness = stiffnessFraction * mass / (dt * dt);
    const double damping = 2.0 * dampingRatio * std::sqrt(stiffness * mass);
    return std::max(0.0, stiffness * depth + damping * approachSpeed);
}

}  // namespace zelk
