#include "analysis/result_files.h"

#include <iomanip>
#include <ostream>

namespace zelk {

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
    for (const NodeRow& row : nodes) {
        for (double value : row) out << std::setw(kRealFieldWidth) << value;
        out << "\n";
    }
    if (!withConnectivity) return;
    for (const std::array<int, 8>& cell : connectivity) {
        for (int corner : kBrickCornerOrder) out << std::setw(kIndexFieldWidth) << cell[corner] + 1;
        out << "\n";
    }
}

}  // namespace zelk
