#include "analysis/contact_law.h"

#include <algorithm>
#include <cmath>

namespace zelk {

double ContactLaw::normalForce(double penetration, double closingSpeed, double mass, double dt) const {
    if (!(penetration > 0.0)) return 0.0;
    const double k = stiffness(mass, dt);
    const double c = dampingRatio * 2.0 * std::sqrt(k * mass);
    return std::max(0.0, k * penetration + c * closingSpeed);
}

}  // namespace zelk
