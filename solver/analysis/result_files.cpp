#include "analysis/result_files.h"

#include <iomanip>
#include <ostream>

namespace zelk {

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
