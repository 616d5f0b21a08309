// Contact between bodies inside the time stepping, and the per-body velocity.
#include <iomanip>
#include <ostream>

#include "analysis/analysis_errors.h"
#include "analysis/dynamic_analysis.h"

namespace zelk {

void DynamicAnalysis::setBodyContact(const ContactLaw& law) { bodyContact_ = std::make_unique<BodyContact>(law); }

void DynamicAnalysis::setBodyVelocity(int body, double vx, double vy, double vz) {
    const int bodies = model->bodyCount();
    if (body < 0 || body >= bodies)
        analysisError("BodyVelocity", "body " + std::to_string(body + 1) + " outside 1 to " + std::to_string(bodies));
    for (int i = 0; i < model->NUMNP; ++i)
        if (model->nodes[i].body == body) {
            velocity[3 * i] = vx;
            velocity[3 * i + 1] = vy;
            velocity[3 * i + 2] = vz;
        }
}

void DynamicAnalysis::addBodyContactForces(double dt) {
    const std::size_t count = contactNodes_.size();
    contactX_.resize(count);
    contactV_.resize(count);
    for (std::size_t s = 0; s < count; ++s) {
        contactX_[s] = nodePosition(contactNodes_[s]);
        contactV_[s] = nodeVelocity(contactNodes_[s]);
    }
    bodyContact_->forces(contactX_, contactV_, dt, contactF_);
    for (std::size_t s = 0; s < count; ++s) {
        const BodyContact::Vector3& f = contactF_[s];
        if (f[0] != 0.0 || f[1] != 0.0 || f[2] != 0.0) spreadForce(contactNodes_[s], f);
    }
}

void DynamicAnalysis::writeContactLine(std::ostream& out, double time) const {
    double momentum[3] = {0.0, 0.0, 0.0};
    for (int i = 0; i < model->NUMNP; ++i)
        for (int d = 0; d < 3; ++d) momentum[d] += nodalMass[i] * velocity[3 * i + d];
    out << std::scientific << std::setprecision(16) << std::setw(kRealFieldWidth) << time
        << std::setw(kIndexFieldWidth) << bodyContact_->touching() << std::setw(kRealFieldWidth)
        << bodyContact_->totalNormalForce();
    for (double p : momentum) out << std::setw(kRealFieldWidth) << p;
    out << "\n";
}

}  // namespace zelk
