// VTK XML files that ParaView, VisIt and meshio read natively: an
// unstructured grid (.vtu) per output time and a collection (.pvd) listing
// the grids with their physical times, so that a run opens as one series.
//
// The grid's arrays go into one raw appended block (each array a UInt64 byte
// count and then its bytes, in this machine's byte order, which the header
// declares), so large runs stay small and fast to write.
#pragma once

#include <array>
#include <cstdint>
#include <iosfwd>
#include <span>
#include <string>
#include <vector>

namespace zelk {

// One point-data array: components values per point, reals or 0/1 flags.
struct VtkPointArray {
    std::string name;
    int components = 1;                // 1, 3 or 6 (a symmetric tensor: xx, yy, zz, xy, yz, xz)
    std::vector<double> reals;         // written as Float64 unless flags is used
    std::vector<std::uint8_t> flags;   // written as UInt8 when not empty
};

struct VtkGrid {
    std::vector<double> points;                   // x, y, z of each point
    std::vector<std::array<std::int64_t, 8>> hexahedra;  // corners in VTK order; none: a vertex per point
    std::vector<VtkPointArray> pointData;
};

void writeVtu(std::ostream& out, const VtkGrid& grid);

struct VtkSeriesEntry {
    double time;
    std::string file;  // relative to the .pvd
};

void writePvd(std::ostream& out, std::span<const VtkSeriesEntry> entries);

}  // namespace zelk
