// Energy balance of the dynamic analysis: the running sums the time loop
// keeps, the per-point stress work that feeds them, and the
// "Energy.txt" file.
//
// Every quantity belongs to the start of a step, time t_s: the kinetic energy
// from the velocities averaged to t_s, the internal energy from the stresses
// of t_s, the wall work up to t_s (trapezoidal in the wall force over each
// displacement increment, exact for a linear penalty). Energies are in the
// model's units (J for m, kg, s).
#pragma once

#include <fstream>

#include "model/tensor3.h"

namespace zelk {

inline constexpr const char* kEnergyFileName = "Energy.txt";

// The running sums of one analysis. Plain data: a saved run restores them as they are.
struct EnergySums {
    double kinetic = 0.0;          // kinetic energy at the start of the last step
    double internal = 0.0;         // stress work on the body since the analysis began (elastic + plastic)
    double plasticWork = 0.0;      // its plastic part
    double wallWork = 0.0;         // work of the walls on the body up to the start of the last step
    double pendingWallWork = 0.0;  // wall work of the last step, added at the next one
    double startTotal = 0.0;       // kinetic + internal energy when the current CALTIME began
    double startWallWork = 0.0;    // wallWork when the current CALTIME began
    double largest = 0.0;          // largest energy met in the current CALTIME (the error's scale)

    double total() const { return kinetic + internal; }
    // Energy created (positive) or lost since the CALTIME began, relative to the largest energy.
    double relativeError() const;
    // Folds the last step's kinetic, internal and wall energies into largest.
    void noteLargest();
};

// Stress work of one integration point over one step: volume times the mean of
// the stresses before and after the step, contracted with the rate of
// deformation sym(l), times dt. Inline and over the six independent entries of
// the symmetric stresses: it runs for every point in every step.
inline double stressWork(const Tensor3& before, const Tensor3& after, const Tensor3& l, double volume, double dt) {
    const auto s = [&](int i, int j) { return before[i][j] + after[i][j]; };
    const double power = s(0, 0) * l[0][0] + s(1, 1) * l[1][1] + s(2, 2) * l[2][2] +
                         s(0, 1) * (l[0][1] + l[1][0]) + s(1, 2) * (l[1][2] + l[2][1]) + s(0, 2) * (l[0][2] + l[2][0]);
    return 0.5 * power * volume * dt;
}

// "Energy.txt": a header line naming the columns, then one line per call of write.
class EnergyFile {
public:
    EnergyFile();
    void write(double time, int step, const EnergySums& sums);

private:
    std::ofstream out_;
};

}  // namespace zelk
