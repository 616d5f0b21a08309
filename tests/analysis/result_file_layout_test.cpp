#include <gtest/gtest.h>

#include <sstream>
#include <utility>
#include <vector>

#include "analysis/result_files.h"

namespace zelk {
namespace {

TEST(NodeFileName, AlwaysAtLeastThreeDigits) {
    const std::pair<int, const char*> cases[] = {
        {0, "Node000.txt"}, {7, "Node007.txt"}, {123, "Node123.txt"}, {1000, "Node1000.txt"}};
    for (const auto& [number, name] : cases) EXPECT_EQ(nodeFileName(number), name);
}

TEST(ResultNumberFormat, EightSignificantDigitsWithPointAndZerosKept) {
    std::ostringstream out;
    useEightDigitFormat(out);
    out << 1.0 << '|' << 0.001 << '|' << 1.5e-5 << '|' << 123456789.0 << '|' << -2.5;
    EXPECT_EQ(out.str(), "1.0000000|0.0010000000|1.5000000e-05|1.2345679e+08|-2.5000000");
}

TEST(Tecplot, BrickZoneLayoutWithWidthsAndCornerOrder) {
    std::vector<NodeRow> rows(2);
    rows[0] = {0.0, 1.0, 2.0, 0.5, -0.25, 3.0, 0.0};
    rows[1] = {1.0, 1.5, 2.0, 0.0, 0.0, 0.0, 0.125};
    const std::vector<std::array<int, 8>> cells{{0, 1, 2, 3, 4, 5, 6, 7}};
    std::ostringstream out;
    writeTecplot(out, rows, true, cells);
    const std::string expected =
        "TITLE = \"Example: 3D Bar\" \n"
        "VARIABLES = \"X\", \"Y\", \"Z\", \"S1\", \"S2\", \"S3\", \"P\"\n"
        "ZONE N=2 , E=1, F=FEPOINT, ET=BRICK\n"
        "                       0                       1                       2                     0.5"
        "                   -0.25                       3                       0\n"
        "                       1                     1.5                       2                       0"
        "                       0                       0                   0.125\n"
        "           1           2           4           3           5           6           8           7\n";
    EXPECT_EQ(out.str(), expected);
}

TEST(Tecplot, EightDigitNodeLinesAndPointZoneWithoutConnectivity) {
    std::vector<NodeRow> rows(1);
    rows[0] = {0.1, 0.0, -1.0, 0.0, 0.0, 2e-7, 0.0};
    std::ostringstream out;
    useEightDigitFormat(out);
    writeTecplot(out, rows, false, {});
    std::istringstream in(out.str());
    std::string line;
    std::getline(in, line);
    std::getline(in, line);
    std::getline(in, line);
    EXPECT_EQ(line, "ZONE I=1, F=POINT");
    std::getline(in, line);
    EXPECT_EQ(line.size(), 7u * 24u);
    EXPECT_EQ(line.substr(0, 24), "              0.10000000");
    EXPECT_EQ(line.substr(120, 24), "           2.0000000e-07");
    EXPECT_FALSE(std::getline(in, line));
}

}  // namespace
}  // namespace zelk
