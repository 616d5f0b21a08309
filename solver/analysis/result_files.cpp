#include "analysis/result_files.h"

#include <algorithm>
#include <iomanip>
#include <ostream>
#include <string>
#include <vector>

#include <omp.h>

#include "analysis/real_format.h"

namespace zelk {

namespace {

// Writes one line per item, appended to a text by line(text, item): blocks of
// lines are formatted on all threads and written in order, a few blocks per
// thread at a time, so the text held stays small.
template <typename Item, typename Line>
void writeLines(std::ostream& out, std::span<const Item> items, Line line) {
    constexpr std::size_t kBlockLines = 1024;
    const std::size_t kBlocksAtOnce = 4 * static_cast<std::size_t>(omp_get_max_threads());
    const std::size_t blocks = (items.size() + kBlockLines - 1) / kBlockLines;
    std::vector<std::string> text(std::min(blocks, kBlocksAtOnce));
    for (std::size_t first = 0; first < blocks; first += kBlocksAtOnce) {
        const std::ptrdiff_t count = static_cast<std::ptrdiff_t>(std::min(kBlocksAtOnce, blocks - first));
#pragma omp parallel for schedule(dynamic)
        for (std::ptrdiff_t b = 0; b < count; ++b) {
            // Filled through a string of the thread's own: the strings of text
            // sit side by side and every append writes a length, so threads
            // filling neighbours in place fight over one cache line.
            std::string block;
            block.swap(text[b]);
            block.clear();
            const std::size_t begin = (first + b) * kBlockLines;
            const std::size_t end = std::min(items.size(), begin + kBlockLines);
            for (std::size_t i = begin; i < end; ++i) line(block, items[i]);
            block.swap(text[b]);
        }
        for (std::ptrdiff_t b = 0; b < count; ++b) out << text[b];
    }
}

}  // namespace

std::ofstream openAppended(const std::string& fileName, std::uint64_t bytes) {
    if (bytes == 0) return std::ofstream(fileName);
    std::ofstream out(fileName, std::ios::in | std::ios::out);
    out.seekp(0, std::ios::end);
    return out;
}

std::uint64_t writtenBytes(std::ostream& out) {
    out.flush();
    return static_cast<std::uint64_t>(out.tellp());
}

void useEightDigitFormat(std::ostream& out) {
    out.unsetf(std::ios::floatfield);
    out << std::setprecision(8) << std::showpoint;
}

std::string nodeFileName(int hundreds) {
    const std::string digits = std::to_string(hundreds);
    if (hundreds < 10) return "Node00" + digits + ".txt";
    if (hundreds < 100) return "Node0" + digits + ".txt";
    return "Node" + digits + ".txt";
}

void writeTecplot(std::ostream& out, std::span<const NodeRow> nodes, bool withConnectivity,
                  std::span<const std::array<int, 8>> connectivity) {
    out << "TITLE = \"Example: 3D Bar\" \n";
    out << "VARIABLES = \"X\", \"Y\", \"Z\", \"S1\", \"S2\", \"S3\", \"P\"\n";
    if (withConnectivity)
        out << "ZONE N=" << nodes.size() << " , E=" << connectivity.size() << ", F=FEPOINT, ET=BRICK\n";
    else
        out << "ZONE I=" << nodes.size() << ", F=POINT\n";
    // The reals in out's format: its precision, and its showpoint flag (the
    // numbered node files) or not (the final one); the float field is the default.
    const int precision = static_cast<int>(out.precision());
    const bool showpoint = (out.flags() & std::ios::showpoint) != 0;
    writeLines(out, nodes, [precision, showpoint](std::string& line, const NodeRow& row) {
        for (double value : row) appendReal(line, value, kRealFieldWidth, precision, showpoint);
        line += '\n';
    });
    if (!withConnectivity) return;
    writeLines(out, connectivity, [](std::string& line, const std::array<int, 8>& cell) {
        for (int corner : kBrickCornerOrder) appendInt(line, cell[corner] + 1, kIndexFieldWidth);
        line += '\n';
    });
}

}  // namespace zelk
