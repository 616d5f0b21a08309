// The VTK time series of one CALTIME: a .vtu file per output time and the
// .pvd collection that lists them with their physical times.
//
// Each CALTIME starts a series of its own (its time starts again at 0), and
// the .pvd is rewritten after every member, so that it lists exactly the
// members this CALTIME has written, even when the run stops early.
#pragma once

#include <string>
#include <vector>

#include "analysis/vtk_writer.h"

namespace zelk {

// Set by the VTK macro command.
struct VtkSettings {
    bool enabled = false;
    int interval = 100;         // base steps between members, as the numbered node files
    std::string stem = "Node";  // files <stem>.pvd and <stem>_0000.vtu, <stem>_0001.vtu, ...
};

// Where a series stands. Plain data: a saved run restores it as it is.
struct VtkSeriesCounters {
    int members = 0;                // files written so far; the next one is numbered members
    long long nextBaseStep = 0;     // the next member is due when the base steps reach this
};

class VtkSeries {
public:
    explicit VtkSeries(const VtkSettings& settings) : settings_(settings) {}

    bool due(long long baseSteps) const { return baseSteps >= counters.nextBaseStep; }
    // True when the last member written holds the state at this time.
    bool holds(double time) const { return !times.empty() && times.back() == time; }
    // Writes the grid as the next member at the given time and rewrites the .pvd.
    void add(double time, long long baseSteps, const VtkGrid& grid);

    VtkSeriesCounters counters;
    std::vector<double> times;  // time of each member written, in order

private:
    std::string memberFileName(int member) const;
    VtkSettings settings_;
};

}  // namespace zelk
