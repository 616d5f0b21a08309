#include "analysis/energy_balance.h"

#include <algorithm>
#include <cmath>
#include <iomanip>

#include "analysis/analysis_errors.h"

namespace zelk {

double EnergySums::relativeError() const {
    const double error = total() - startTotal - (wallWork - startWallWork);
    return largest > 0.0 ? error / largest : 0.0;
}

void EnergySums::noteLargest() {
    largest = std::max({largest, kinetic, std::abs(internal), std::abs(wallWork - startWallWork), startTotal});
}

EnergyFile::EnergyFile() : out_(kEnergyFileName) {
    if (!out_) analysisError("CalTime", std::string("cannot open result file \"") + kEnergyFileName + "\"");
    out_ << "#" << std::setw(15) << "time" << std::setw(10) << "step" << std::setw(16) << "kinetic"
         << std::setw(16) << "internal" << std::setw(16) << "plastic_work" << std::setw(16) << "wall_work"
         << std::setw(16) << "total" << std::setw(16) << "energy_error" << "\n";
    out_ << std::scientific << std::setprecision(8);
}

void EnergyFile::write(double time, int step, const EnergySums& sums) {
    out_ << std::setw(16) << time << std::setw(10) << step << std::setw(16) << sums.kinetic << std::setw(16)
         << sums.internal << std::setw(16) << sums.plasticWork << std::setw(16) << sums.wallWork - sums.startWallWork
         << std::setw(16) << sums.total() << std::setw(16) << sums.relativeError() << "\n";
    out_.flush();
}

}  // namespace zelk
