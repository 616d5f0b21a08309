#include "analysis/vtk_writer.h"

#include <bit>
#include <iomanip>
#include <limits>
#include <ostream>

namespace zelk {

namespace {

constexpr const char* kByteOrder = std::endian::native == std::endian::little ? "LittleEndian" : "BigEndian";
constexpr std::uint8_t kVtkVertex = 1;
constexpr std::uint8_t kVtkHexahedron = 12;

// The appended block under construction: the XML tags take their offsets from it.
class AppendedBlock {
public:
    // Adds an array and returns its offset in the block.
    template <typename T>
    std::uint64_t add(std::span<const T> values) {
        const std::uint64_t offset = bytes_.size();
        const std::uint64_t count = values.size_bytes();
        append(&count, sizeof count);
        append(values.data(), values.size_bytes());
        return offset;
    }
    const std::vector<char>& bytes() const { return bytes_; }

private:
    void append(const void* data, std::size_t size) {
        const char* begin = static_cast<const char*>(data);
        bytes_.insert(bytes_.end(), begin, begin + size);
    }
    std::vector<char> bytes_;
};

void dataArrayTag(std::ostream& out, const char* type, const std::string& name, int components,
                  std::uint64_t offset) {
    out << "        <DataArray type=\"" << type << "\" Name=\"" << name << "\"";
    if (components > 1) out << " NumberOfComponents=\"" << components << "\"";
    out << " format=\"appended\" offset=\"" << offset << "\"/>\n";
}

}  // namespace

void writeVtu(std::ostream& out, const VtkGrid& grid) {
    const std::size_t pointCount = grid.points.size() / 3;
    const bool vertices = grid.hexahedra.empty();
    const std::size_t cellCount = vertices ? pointCount : grid.hexahedra.size();
    const std::size_t cornersPerCell = vertices ? 1 : 8;

    std::vector<std::int64_t> connectivity, offsets(cellCount);
    std::vector<std::uint8_t> types(cellCount, vertices ? kVtkVertex : kVtkHexahedron);
    connectivity.reserve(cellCount * cornersPerCell);
    for (std::size_t c = 0; c < cellCount; ++c) {
        if (vertices)
            connectivity.push_back(static_cast<std::int64_t>(c));
        else
            connectivity.insert(connectivity.end(), grid.hexahedra[c].begin(), grid.hexahedra[c].end());
        offsets[c] = static_cast<std::int64_t>(connectivity.size());
    }

    AppendedBlock block;
    out << "<?xml version=\"1.0\"?>\n"
        << "<VTKFile type=\"UnstructuredGrid\" version=\"1.0\" byte_order=\"" << kByteOrder
        << "\" header_type=\"UInt64\">\n"
        << "  <UnstructuredGrid>\n"
        << "    <Piece NumberOfPoints=\"" << pointCount << "\" NumberOfCells=\"" << cellCount << "\">\n"
        << "      <PointData>\n";
    for (const VtkPointArray& array : grid.pointData) {
        if (array.flags.empty())
            dataArrayTag(out, "Float64", array.name, array.components, block.add(std::span(array.reals)));
        else
            dataArrayTag(out, "UInt8", array.name, array.components, block.add(std::span(array.flags)));
    }
    out << "      </PointData>\n      <Points>\n";
    dataArrayTag(out, "Float64", "Points", 3, block.add(std::span(grid.points)));
    out << "      </Points>\n      <Cells>\n";
    dataArrayTag(out, "Int64", "connectivity", 1, block.add(std::span<const std::int64_t>(connectivity)));
    dataArrayTag(out, "Int64", "offsets", 1, block.add(std::span<const std::int64_t>(offsets)));
    dataArrayTag(out, "UInt8", "types", 1, block.add(std::span<const std::uint8_t>(types)));
    out << "      </Cells>\n    </Piece>\n  </UnstructuredGrid>\n"
        << "  <AppendedData encoding=\"raw\">\n   _";
    out.write(block.bytes().data(), static_cast<std::streamsize>(block.bytes().size()));
    out << "\n  </AppendedData>\n</VTKFile>\n";
}

void writePvd(std::ostream& out, std::span<const VtkSeriesEntry> entries) {
    out << "<?xml version=\"1.0\"?>\n"
        << "<VTKFile type=\"Collection\" version=\"0.1\" byte_order=\"" << kByteOrder << "\">\n"
        << "  <Collection>\n";
    out << std::setprecision(std::numeric_limits<double>::max_digits10);
    for (const VtkSeriesEntry& entry : entries)
        out << "    <DataSet timestep=\"" << entry.time << "\" group=\"\" part=\"0\" file=\"" << entry.file
            << "\"/>\n";
    out << "  </Collection>\n</VTKFile>\n";
}

}  // namespace zelk
