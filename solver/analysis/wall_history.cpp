#include "analysis/wall_history.h"

#include <iomanip>

#include "analysis/result_files.h"

namespace zelk {

WallHistory::WallHistory(const std::string& fileName) : out_(fileName) { useEightDigitFormat(out_); }

void WallHistory::startStep(const std::vector<double>& force, const std::vector<double>& velocity) {
    wallForce_ = force;
    oldVelocity_ = velocity;
}

void WallHistory::takeInternal(const std::vector<double>& force) {
    internalForce_.resize(force.size());
    for (std::size_t i = 0; i < force.size(); ++i) internalForce_[i] = force[i] - wallForce_[i];
}

void WallHistory::endStep(double time, double dt, const std::vector<double>& velocity,
                          const std::vector<double>& mass) {
    double sum[3] = {0.0, 0.0, 0.0};
    double kinetic = 0.0;
    for (std::size_t i = 0; i < velocity.size(); ++i) {
        // Work over the step with the mean of the velocities before and after it.
        const double meanVelocity = 0.5 * (oldVelocity_[i] + velocity[i]);
        internalEnergy_ -= internalForce_[i] * meanVelocity * dt;
        wallWork_ += wallForce_[i] * meanVelocity * dt;
        kinetic += 0.5 * mass[i / 3] * meanVelocity * meanVelocity;
        sum[i % 3] += wallForce_[i];
    }
    for (double value : {time, sum[0], sum[1], sum[2], kinetic, internalEnergy_, wallWork_})
        out_ << std::setw(kRealFieldWidth) << value;
    out_ << "\n";
}

}  // namespace zelk
