#include "analysis/vtk_series.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "analysis/analysis_errors.h"

namespace zelk {

namespace {

// Opens a series file, or reports it by name and ends the run.
std::ofstream openSeriesFile(const std::string& fileName) {
    std::ofstream out(fileName, std::ios::binary);
    if (!out) analysisError("Vtk", "cannot open result file \"" + fileName + "\"");
    return out;
}

}  // namespace

std::string VtkSeries::memberFileName(int member) const {
    char digits[16];
    std::snprintf(digits, sizeof digits, "_%04d.vtu", member);
    return settings_.stem + digits;
}

void VtkSeries::add(double time, long long baseSteps, const VtkGrid& grid) {
    const std::string fileName = memberFileName(counters.members);
    {
        std::ofstream out = openSeriesFile(fileName);
        writeVtu(out, grid);
    }
    times.push_back(time);
    ++counters.members;
    counters.nextBaseStep = (baseSteps / settings_.interval + 1) * settings_.interval;

    std::vector<VtkSeriesEntry> entries;
    for (int member = 0; member < counters.members; ++member)
        entries.push_back({times[member], std::filesystem::path(memberFileName(member)).filename().string()});
    std::ofstream pvd = openSeriesFile(settings_.stem + ".pvd");
    writePvd(pvd, entries);
}

}  // namespace zelk
