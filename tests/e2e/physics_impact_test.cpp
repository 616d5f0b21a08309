// Physics of the bundled examples, end to end: an elastic bar striking a
// wall, a bar in free flight, a Taylor impact and a flat punch. Each test
// prints the figures it measured.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <sstream>
#include <string>
#include <vector>

#include "program_run.h"

namespace {

using testing_support::ProgramRun;
using testing_support::readWholeFile;
using testing_support::runProgram;

std::vector<std::vector<double>> numberRows(const std::string& text, std::size_t skipLines, std::size_t count) {
    std::istringstream in(text);
    std::string line;
    for (std::size_t i = 0; i < skipLines; ++i) std::getline(in, line);
    std::vector<std::vector<double>> rows;
    while (rows.size() < count && std::getline(in, line)) {
        std::istringstream fields(line);
        std::vector<double> row;
        for (double v; fields >> v;) row.push_back(v);
        rows.push_back(row);
    }
    return rows;
}

// The node lines of a Tecplot node file (after its three header lines), each
// with at least its six numbers; called through ASSERT_NO_FATAL_FAILURE.
void nodeRows(const ProgramRun& run, const std::string& name, std::size_t numNodes,
              std::vector<std::vector<double>>& rows) {
    rows = numberRows(run.file(name), 3, numNodes);
    ASSERT_EQ(rows.size(), numNodes) << name;
    for (const auto& row : rows) ASSERT_GE(row.size(), 6u) << name;
}

double meanOf(const std::vector<std::vector<double>>& rows, int column) {
    double sum = 0.0;
    for (const auto& r : rows) sum += r[column];
    return sum / rows.size();
}

ProgramRun runExample(const std::string& name, const std::string& text) {
    return runProgram(ZELK_PROGRAM, {name}, {{name, text}});
}

std::string example(const char* name) {
    std::string text = readWholeFile(std::string(EXAMPLES_DIR "/") + name);
    EXPECT_FALSE(text.empty()) << name;
    return text;
}

// Bar of bar.dat: 0.1 m of steel, E = 2e11, rho = 7800, 3 x 3 x 11 nodes, 10 m/s onto z = 0.
constexpr double kLength = 0.1, kSpeed = 10.0;
const double kWaveSpeed = std::sqrt(2.0e11 / 7800.0);
constexpr int kBarNodes = 99;

TEST(ElasticBarOnWall, StaysInContactAbout2LOverCAndReboundsWithItsImpactSpeed) {
    const ProgramRun run = runExample("bar.dat", example("bar.dat"));
    ASSERT_EQ(run.exitCode, 0) << run.standardError;
    // The bundled example gives no message at all: standard output has the step lines only.
    EXPECT_EQ(run.standardError, "");
    EXPECT_EQ(run.standardOutput.find("***"), std::string::npos);
    const auto history = numberRows(run.file("End_y.txt"), 0, 100000);
    ASSERT_GT(history.size(), 200u);
    // Column 2: zz stress next to the wall; column 5: z displacement of the top node.
    std::size_t peak = 0;
    for (std::size_t i = 0; i < history.size(); ++i)
        if (history[i][2] < history[peak][2]) peak = i;
    const double peakStress = history[peak][2];
    double contactEnd = 0.0;
    for (std::size_t i = peak; i < history.size(); ++i)
        if (history[i][2] > 0.1 * peakStress) {
            contactEnd = history[i][0];
            break;
        }
    const double expected = 2.0 * kLength / kWaveSpeed;
    // Lowest point of the top: when the wave reflected there, after about L / c.
    std::size_t lowest = 0;
    for (std::size_t i = 0; i < history.size(); ++i)
        if (history[i][5] < history[lowest][5]) lowest = i;
    // Rebound speed of the whole bar: centroid of the node files after the contact.
    std::vector<std::vector<double>> at200;
    ASSERT_NO_FATAL_FAILURE(nodeRows(run, "Node002.txt", kBarNodes, at200));
    std::vector<std::vector<double>> atEnd;
    ASSERT_NO_FATAL_FAILURE(nodeRows(run, "Node.dat", kBarNodes, atEnd));
    const double baseStep = 0.002 / kWaveSpeed;
    const double rebound = (meanOf(atEnd, 2) - meanOf(at200, 2)) / (history.back()[0] - 200 * baseStep);
    std::cout << "[ measured ] contact time " << contactEnd * 1e6 << " us (2L/c = " << expected * 1e6
              << " us), peak wall stress " << peakStress << " Pa (rho c v = " << 7800.0 * kWaveSpeed * kSpeed
              << "), top lowest at " << history[lowest][0] * 1e6 << " us, rebound speed " << rebound
              << " m/s (impact " << kSpeed << ")\n";
    // At this coarse spacing the damped wall's compliance lengthens the contact by about a quarter.
    EXPECT_NEAR(contactEnd, expected, 0.35 * expected);
    EXPECT_NEAR(history[lowest][0], expected / 2, 0.25 * expected / 2);
    EXPECT_LT(peakStress, -0.5 * 7800.0 * kWaveSpeed * kSpeed);
    EXPECT_GT(peakStress, -2.0 * 7800.0 * kWaveSpeed * kSpeed);
    EXPECT_GT(rebound, 0.8 * kSpeed);   // it does rebound, at about its impact speed
    EXPECT_LT(rebound, 1.02 * kSpeed);  // and no energy is created
    // Nothing went through the wall.
    for (const auto& row : atEnd) EXPECT_GT(row[2], -1e-4);
}

TEST(ElasticBarFreeFlight, WithoutAWallMomentumIsKeptAndNoStressArises) {
    std::string text = example("bar.dat");
    const std::size_t begin = text.find("  GRIDWALL");
    const std::size_t end = text.find("ENDGRID");
    ASSERT_NE(begin, std::string::npos);
    text.erase(begin, text.find('\n', end) + 1 - begin);
    const ProgramRun run = runExample("bar.dat", text);
    ASSERT_EQ(run.exitCode, 0) << run.standardError;
    const auto history = numberRows(run.file("End_y.txt"), 0, 100000);
    ASSERT_FALSE(history.empty());
    std::vector<std::vector<double>> atEnd;
    ASSERT_NO_FATAL_FAILURE(nodeRows(run, "Node.dat", kBarNodes, atEnd));
    // The displacement lags the time by the one step of the first history line.
    const double travelled = meanOf(atEnd, 2) - kLength / 2;
    const double expected = -kSpeed * history.back()[0];
    std::cout << "[ measured ] free flight: mean travel " << travelled << " m, expected " << expected << " m\n";
    EXPECT_NEAR(travelled, expected, 1e-7);  // Node.dat keeps 6 digits
    for (const auto& row : atEnd) {
        EXPECT_NEAR(row[5], 0.0, 1e-3);  // zz stress, Pa
        EXPECT_NEAR(row[0] - std::round(row[0] * 100) / 100, 0.0, 1e-12);  // x unchanged
    }
}

TEST(TaylorImpact, PlasticBarEndsShorterAndWiderAtItsImpactEnd) {
    const ProgramRun run = runExample("taylor_impact.dat", example("taylor_impact.dat"));
    ASSERT_EQ(run.exitCode, 0) << run.standardError;
    std::vector<std::vector<double>> rows;
    ASSERT_NO_FATAL_FAILURE(nodeRows(run, "Node.dat", 208, rows));
    const auto width = [&](std::size_t first) {
        double lo = 1e9, hi = -1e9;
        for (std::size_t i = first; i < first + 16; ++i) {
            lo = std::min(lo, rows[i][0]);
            hi = std::max(hi, rows[i][0]);
        }
        return hi - lo;
    };
    double zLow = 1e9, zHigh = -1e9, plastic = 0.0;
    for (const auto& r : rows) {
        zLow = std::min(zLow, r[2]);
        zHigh = std::max(zHigh, r[2]);
    }
    for (std::size_t i = 0; i < 16; ++i) plastic = std::max(plastic, rows[i][6]);
    const double impactWidth = width(0), topWidth = width(192), length = zHigh - zLow;
    std::cout << "[ measured ] Taylor: length 0.03 -> " << length << " m, impact-end width 0.0075 -> "
              << impactWidth << " m, far-end width " << topWidth << " m, plastic strain at impact end "
              << plastic << "\n";
    EXPECT_LT(length, 0.9 * 0.03);
    EXPECT_GT(length, 0.5 * 0.03);
    EXPECT_GT(impactWidth, 1.3 * 0.0075);
    EXPECT_NEAR(topWidth, 0.0075, 0.05 * 0.0075);
    EXPECT_GT(plastic, 0.2);
    EXPECT_GT(zLow, -1e-4);  // stopped by the wall
}

TEST(FlatPunch, NodesUnderThePunchFollowItAndTheRestLagsBehind) {
    const ProgramRun run = runExample("punch.dat", example("punch.dat"));
    ASSERT_EQ(run.exitCode, 0) << run.standardError;
    std::vector<std::vector<double>> rows;
    ASSERT_NO_FATAL_FAILURE(nodeRows(run, "Node.dat", 196, rows));
    const auto history = numberRows(run.file("End_y.txt"), 0, 100000);
    ASSERT_FALSE(history.empty());
    const double travel = 10.0 * history.back()[0];
    const double centre = 0.03 - rows[171][2];  // node (0, 0, top)
    const double corner = 0.03 - rows[147][2];  // node (-0.03, -0.03, top)
    std::cout << "[ measured ] punch travel " << travel << " m, centre pushed " << centre << " m, corner "
              << corner << " m, plastic strain under the punch " << rows[171][6] << "\n";
    EXPECT_NEAR(centre, travel, 0.3 * travel);
    EXPECT_LT(corner, 0.5 * centre);
    EXPECT_GT(rows[171][6], 0.0);
    // The base is held in its nodal values; MLS does not interpolate them, so
    // the displacement written at a base node is small but not zero.
    for (int i = 0; i < 49; ++i) EXPECT_NEAR(rows[i][2], 0.0, 0.05 * travel);
}

}  // namespace
