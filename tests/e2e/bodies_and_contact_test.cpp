// Several bodies and materials, end to end: two bars striking each other
// against one bar on a wall, momentum of a free collision, cell materials,
// and the input mistakes of the new keyword and commands.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "program_run.h"

namespace {

using testing_support::ProgramRun;

using Rows = std::vector<std::vector<double>>;

// The lines of numbers of a text, from line `skip` on, at most `count` lines.
Rows rowsOf(const std::string& text, std::size_t skip = 0, std::size_t count = 1000000) {
    std::istringstream in(text);
    Rows rows;
    std::size_t line = 0;
    for (std::string s; rows.size() < count && std::getline(in, s); ++line) {
        if (line < skip) continue;
        std::istringstream fields(s);
        rows.emplace_back();
        for (double v; fields >> v;) rows.back().push_back(v);
    }
    return rows;
}

std::string example(const char* name) {
    return testing_support::readWholeFile(std::string(EXAMPLES_DIR "/") + name);
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

ProgramRun runDeck(const std::string& text) {
    return testing_support::runProgram(ZELK_PROGRAM, {"deck.dat"}, {{"deck.dat", text}});
}

// The bar of bar.dat (nodes 1 to 99) striking at its bottom.
struct Impact {
    double contactTime;  // until the stress next to the struck end turns from compression [s]
    double endStress;    // mean zz stress next to the struck end during the contact [Pa]
    double rebound;      // speed of the bar after the contact [m/s]
};

// Row of the most compressive stress next to the struck end.
std::size_t peakRow(const Rows& history) {
    std::size_t peak = 0;
    for (std::size_t i = 0; i < history.size(); ++i)
        if (history[i][2] < history[peak][2]) peak = i;
    return peak;
}

Impact measure(const ProgramRun& run) {
    const Rows history = rowsOf(run.file("End_y.txt"));
    const std::size_t peak = peakRow(history);
    std::size_t end = peak;
    while (end + 1 < history.size() && history[end][2] <= 0.1 * history[peak][2]) ++end;
    double sum = 0.0;
    for (std::size_t i = 0; i < end; ++i) sum += history[i][2];
    const auto meanZ = [&](const char* file) {
        double z = 0.0;
        for (const auto& row : rowsOf(run.file(file), 3, 99)) z += row[2] / 99;
        return z;
    };
    const double node2Time = 200 * history[0][1];  // Node002.txt: base step 200
    const double rebound = (meanZ("Node.dat") - meanZ("Node002.txt")) / (history.back()[0] - node2Time);
    return {history[end][0], sum / end, rebound};
}

TEST(TwoBars, StrikeEachOtherAsOneBarStrikesARigidWall) {
    // The plain penalty wall: a stiff spring without damping, as BODYCONTACT 0.4 0.0 of two_bars.dat.
    const ProgramRun wall = runDeck(replaced(example("bar.dat"), "GRIDWALL 1\n", "GRIDWALL 1\n    CONTACT PENALTY\n"));
    const ProgramRun bars = runDeck(example("two_bars.dat"));
    ASSERT_EQ(wall.exitCode, 0) << wall.standardOutput;
    ASSERT_EQ(bars.exitCode, 0) << bars.standardOutput;
    const Impact w = measure(wall), b = measure(bars);
    std::cout << "[ measured ] wall / two bars: contact " << w.contactTime * 1e6 << " / " << b.contactTime * 1e6
              << " us, end stress " << w.endStress << " / " << b.endStress << " Pa, rebound " << w.rebound
              << " / " << b.rebound << " m/s\n";
    EXPECT_NEAR(b.contactTime, w.contactTime, 0.03 * w.contactTime);
    EXPECT_NEAR(b.endStress, w.endStress, 0.03 * std::fabs(w.endStress));
    EXPECT_NEAR(b.rebound, w.rebound, 0.03 * std::fabs(w.rebound));
}

TEST(TwoBodyCollision, KeepsMomentumToRoundOff) {
    std::string deck = replaced(example("two_bars.dat"), "BODYVELOCITY 2 0.0 0.0 10.0", "BODYVELOCITY 2 0 0 0");
    deck = replaced(replaced(deck, "BODYVELOCITY 1 0.0 0.0 -10.0", "BODYVELOCITY 1 1 0.5 -10"), "BODYCONTACT 0.4 0.0",
                    "BODYCONTACT 0.5 0.1");
    const ProgramRun run = runDeck(deck);
    ASSERT_EQ(run.exitCode, 0) << run.standardOutput;
    const double mass = 7800 * 0.1 * 0.02 * 0.02, p0[3] = {mass, 0.5 * mass, -10 * mass};
    const double size = std::sqrt(p0[0] * p0[0] + p0[1] * p0[1] + p0[2] * p0[2]);
    double worst = 0.0, largestForce = 0.0;
    for (const auto& row : rowsOf(run.file("Contact.txt"))) {
        largestForce = std::max(largestForce, row[2]);
        worst = std::max(worst, std::hypot(row[3] - p0[0], row[4] - p0[1], row[5] - p0[2]) / size);
    }
    std::cout << "[ measured ] largest relative momentum change " << worst << "\n";
    EXPECT_LT(worst, 1e-10);
    EXPECT_GT(largestForce, 1e5);  // they did collide
    const Rows struck = rowsOf(run.file("Node.dat"), 3 + 99, 99);
    double meanZ = 0.0;
    for (const auto& row : struck) meanZ += row[2] / 99;
    EXPECT_LT(meanZ, -0.06 - 1e-4);  // and the bar at rest was pushed away
}

TEST(CellMaterials, GaussPointsTakeTheirCellsMaterial) {
    std::string deck = replaced(example("bar.dat"), "NUMMAT 1", "NUMMAT 2");
    deck = replaced(deck, "MATERIAL\n", "MATERIAL\n  ISOELASTIC soft 2.0e10 0.3 7800\n");
    for (std::size_t at; (at = deck.find("DMCELL steel")) != std::string::npos;) deck.replace(at, 12, "DMCELL soft");
    const ProgramRun steel = runDeck(example("bar.dat")), soft = runDeck(deck);
    ASSERT_EQ(soft.exitCode, 0) << soft.standardOutput;
    // The step and the stress follow the cells' wave speed, sqrt(10) lower.
    EXPECT_NEAR(rowsOf(soft.file("End_y.txt"), 0, 1)[0][1], 0.002 / std::sqrt(2.0e10 / 7800), 1e-13);
    const Rows a = rowsOf(soft.file("End_y.txt")), b = rowsOf(steel.file("End_y.txt"));
    EXPECT_NEAR(a[peakRow(a)][2] / b[peakRow(b)][2], std::sqrt(0.1), 0.05 * std::sqrt(0.1));
}

TEST(BodyInput, MistakesAreReported) {
    const struct {
        const char *from, *to, *message;
    } cases[] = {
        {"\nEVPOINT", "\nBODY 0 1 99\nEVPOINT", "Body number 0 out of range 1 to 99"},
        {"\nEVPOINT", "\nBODY 2 50 10\nEVPOINT", "Last node 10 out of range 50 to 99"},
        {"\nEVPOINT", "\nBODY 2 1 10\nEVPOINT", "Dynamics : cell 1 joins nodes of bodies 2 and 1"},
        {"  CALTIME", "  BODYCONTACT 5 0.1\n  CALTIME", "BodyContact : the contact stiffness fraction must be in (0, 1]"},
        {"  CALTIME", "  BODYVELOCITY 3 0 0 1\n  CALTIME", "BodyVelocity : body 3 outside 1 to 1"},
    };
    for (const auto& c : cases) {
        const ProgramRun run = runDeck(replaced(example("bar.dat"), c.from, c.to));
        EXPECT_EQ(run.exitCode, 1) << c.message;
        EXPECT_NE((run.standardOutput + run.standardError).find(c.message), std::string::npos)
            << c.message << "\n" << run.standardOutput << run.standardError;
    }
}

}  // namespace
