#include <gtest/gtest.h>

#include <cmath>
#include <iomanip>
#include <random>
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

// The node files format their numbers without the stream; every number must
// still read exactly as the stream writes it, in both formats, including the
// C library's "1.e+08" for an eight-digit integer part that rounds up.
TEST(Tecplot, NumbersAsTheStreamWritesThem) {
    std::vector<double> values{0.0, -0.0, 1e-5, 9.99999996e-5, 99999999.6, 999999.5, 123456789.0, 5e-324,
                               1.7976931348623157e308, -2.5e-300, 1.0 / 0.0, 0.1, 7.0};
    std::mt19937_64 random(11);
    for (int i = 0; i < 20000; ++i) {
        const double mantissa = static_cast<double>(random() % 1000000000) * 1e-9;
        values.push_back((i % 2 ? -1.0 : 1.0) * mantissa * std::pow(10.0, static_cast<int>(random() % 40) - 20));
    }
    std::vector<NodeRow> rows(values.size());
    for (std::size_t i = 0; i < values.size(); ++i) rows[i].fill(values[i]);
    for (const bool eightDigits : {false, true}) {
        std::ostringstream file, expected;
        if (eightDigits) {
            useEightDigitFormat(file);
            useEightDigitFormat(expected);
        }
        writeTecplot(file, rows, false, {});
        for (const NodeRow& row : rows) {
            for (double value : row) expected << std::setw(kRealFieldWidth) << value;
            expected << "\n";
        }
        const std::string text = file.str();
        EXPECT_EQ(text.substr(text.find("F=POINT\n") + 8), expected.str()) << "eight digits: " << eightDigits;
    }
}

}  // namespace
}  // namespace zelk
