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

#include <cstdint>
#include <fstream>

#include "analysis/result_files.h"

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
// the symmetric stresses (row-major arrays): it runs for every point in every step.
inline double stressWork(const double before[9], const double after[9], const double l[9], double volume,
                         double dt) {
    const auto s = [&](int i, int j) { return before[3 * i + j] + after[3 * i + j]; };
    const auto L = [l](int i, int j) { return l[3 * i + j]; };
    const double power = s(0, 0) * L(0, 0) + s(1, 1) * L(1, 1) + s(2, 2) * L(2, 2) + s(0, 1) * (L(0, 1) + L(1, 0)) +
                         s(1, 2) * (L(1, 2) + L(2, 1)) + s(0, 2) * (L(0, 2) + L(2, 0));
    return 0.5 * power * volume * dt;
}

// "Energy.txt": a header line naming the columns, then one line per call of write.
class EnergyFile {
public:
    // A new file with its header (bytes 0), or the file of a resumed run, cut back to bytes.
    void open(std::uint64_t bytes);
    void write(double time, int step, const EnergySums& sums);
    std::uint64_t bytes() { return writtenBytes(out_); }

private:
    std::ofstream out_;
};

}  // namespace zelk
