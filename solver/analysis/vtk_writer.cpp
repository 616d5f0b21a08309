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

// The appended block: the arrays' bytes, each after a UInt64 byte count. The
// XML tags come first and take their offsets from the sizes; the bytes then go
// straight from the arrays to the stream, without a copy.
class AppendedBlock {
public:
    // Adds an array and returns its offset in the block.
    template <typename T>
    std::uint64_t add(std::span<const T> values) {
        const std::uint64_t offset = size_;
        parts_.push_back({values.data(), values.size_bytes()});
        size_ += sizeof(std::uint64_t) + values.size_bytes();
        return offset;
    }
    void write(std::ostream& out) const {
        for (const Part& part : parts_) {
            const std::uint64_t count = part.size;
            out.write(reinterpret_cast<const char*>(&count), sizeof count);
            out.write(static_cast<const char*>(part.data), static_cast<std::streamsize>(part.size));
        }
    }

private:
    struct Part {
        const void* data;
        std::uint64_t size;
    };
    std::vector<Part> parts_;
    std::uint64_t size_ = 0;
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
    block.write(out);
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
