// What the model reader stores: counts, nodes, points, cells, materials and
// boundary conditions, read through the reader from a text.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "input/fatal_exit.h"
#include "input/input_reader.h"
#include "model/model_reader.h"

namespace zelk {
namespace {

struct ReadModel {
    std::unique_ptr<Model> model = std::make_unique<Model>();
    std::string diagnostics;
};

// Reads the model section from text (console mode, so no location lines).
ReadModel readFrom(const std::string& text) {
    std::istringstream console(text);
    std::ostringstream diagnostics;
    InputReader reader(console, diagnostics);
    reader.consoleMode = true;
    ReadModel result;
    try {
        readModel(*result.model, reader);
    } catch (const FatalExit&) {
        ADD_FAILURE() << "fatal end of the model section:\n" << diagnostics.str();
        throw;
    }
    result.diagnostics = diagnostics.str();
    return result;
}

// Coordinates of a node, point or cell corner.
template <typename P>
std::array<double, 3> xyz(const P& p) {
    return {p.x, p.y, p.z};
}

const char* const kTenNodes =
    "NDM 3\nNUMNP 10\nNUMMAT 1\nMATERIAL ISOELA_PLA_HYD steel 2e11 0.3 7800 2e9 3e8\n"
    "NODE\n"
    "1 0 0 0 0\n2 1 0 0 0\n3 2 0 0 0\n4 3 0 0 0\n5 4 0 0 0\n"
    "6 5 0 0 0\n7 6 0 0 0\n8 7 0 0 0\n9 8 0 0 0\n10 9 0.5 0.25 1\n";

TEST(ModelSection, KeywordsMayBeAbbreviatedAndSpreadOverLines) {
    ReadModel read = readFrom(
        "zelk My   first,model\n"
        "ndm 2 numn 3 NUMEVPOIN\n1 numm 1 ndf 2\n"
        "MATE ISOELASTIC s 100 0.25 2\n"
        "NODE 1 0.5 0.5 0 3 1.5 2.5 7\n"
        "EVPO POINT 4 5 s 9 ENDE\n"
        "PLAN STRAIN VOID SIDED END\n");
    const Model& m = *read.model;
    EXPECT_EQ(read.diagnostics, "");
    EXPECT_EQ(m.title, "My first model ");
    EXPECT_EQ((std::array<int, 3>{m.NDM, m.NUMNP, m.NDF}), (std::array<int, 3>{2, 3, 2}));
    EXPECT_EQ(m.planeType, "STRAIN");
    ASSERT_EQ(m.materials.size(), 1u);
    EXPECT_EQ(m.materials[0]->type, "IsoElastic");
    const Material& s = *m.materials[0];
    EXPECT_EQ((std::array<double, 4>{s.youngsModulus, s.poissonRatio, s.density0, s.tangentModulus}),
              (std::array<double, 4>{100.0, 0.25, 2.0, -1.0}));
    // NODE ends at node NUMNP: node 2 was never listed and stays inactive.
    EXPECT_EQ(xyz(m.nodes[2]), (std::array<double, 3>{1.5, 2.5, 0.0}));  // NDM 2: z is not read
    EXPECT_EQ(m.nodes[2].nodeFlag, 7);
    EXPECT_EQ(m.nodes[1].dof, (std::array<int, 3>{0, 0, 0}));
    EXPECT_TRUE(m.nodesRead);
    // Numbered at END: nodes 1 and 3 active.
    EXPECT_EQ(m.numEquations, 6);
    EXPECT_EQ(m.nodes[2].dof, (std::array<int, 3>{4, 5, 6}));

    const EvPoint& point = m.evPoints[0];
    EXPECT_EQ(xyz(point), (std::array<double, 3>{4.0, 5.0, 0.0}));
    EXPECT_EQ(point.pointValue, 9.0);
    EXPECT_EQ(point.material, m.materials[0].get());
    EXPECT_EQ(point.density, 2.0);
    EXPECT_EQ(point.yieldStress, -1.0);  // IsoElastic: no yield stress
    EXPECT_EQ(point.sourceNode, -1);
    EXPECT_TRUE(m.evPointsRead);
}

TEST(ModelSection, OverlongPlaneWordAndTitleAreCut) {
    const std::string longTitle(20, 'T');
    std::string titleLine = "ZELK";
    for (int i = 0; i < 12; ++i) titleLine += " " + longTitle;  // 12 fields of 20 characters: 252 after joining
    ReadModel read = readFrom(titleLine + "\nPLANE STRESSES_AND_MORE END\n");
    EXPECT_EQ(read.model->planeType, "STRESSES_AN");
    EXPECT_LE(read.model->title.size(), Model::kTitleLength);
}

TEST(ModelSection, CopyAllAndFromTo) {
    ReadModel read = readFrom(std::string(kTenNodes) +
                              "NUMEVPOINT 8\nEVPOINT\n"
                              "COPY FROMTO 1 10 3 steel 0.5\n"  // nodes 1, 4, 7, 10
                              "COPY FROMTO 5 1 1 steel 0.25\n"  // node 5 only
                              "COPY FROMTO 9 7 0 steel 0\n"     // step 0 -> 1: node 9 only
                              "COPY FROMTO 10 7 -2 steel 0\n"   // nodes 10, 8
                              "ENDEVPOINT END\n");
    const Model& m = *read.model;
    std::vector<int> sources;
    for (const EvPoint& point : m.evPoints) sources.push_back(point.sourceNode);
    EXPECT_EQ(sources, (std::vector<int>{0, 3, 6, 9, 4, 8, 9, 7}));
    const EvPoint& copied = m.evPoints[3];
    EXPECT_EQ(xyz(copied), (std::array<double, 3>{9.0, 0.5, 0.25}));  // all three coordinates are copied
    EXPECT_EQ(copied.pointValue, 0.5);
    EXPECT_EQ(copied.density, 7800.0);
    EXPECT_EQ(copied.yieldStress, 3e8);
    EXPECT_EQ(copied.plasticStrain, 0.0);

    ReadModel all = readFrom(std::string(kTenNodes) + "NUMEVPOINT 10\nEVPOINT COPY ALL steel 1 ENDEVPOINT END\n");
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(all.model->evPoints[i].sourceNode, i);
        EXPECT_EQ(xyz(all.model->evPoints[i]), xyz(all.model->nodes[i]));
    }
}

TEST(ModelSection, CellsByPointAndByNode) {
    ReadModel byPoint = readFrom(std::string(kTenNodes) +
                                 "EFGDATA NCELL 1 NINTX 2 NINTY 3 NINTZ 4\n"
                                 "CELL POINT BDCELL steel\n"
                                 "0 0 0  1 0 0  0 1 0  1 1 0\n"  // at most 12 fields a line
                                 "0 0 1  1 0 1  0 1 1  1 1 1\n"
                                 "ENDEFG END\n");
    const Model& p = *byPoint.model;
    EXPECT_EQ((std::array<int, 4>{p.NCELL, p.NINTX, p.NINTY, p.NINTZ}), (std::array<int, 4>{1, 2, 3, 4}));
    const Cell& cell = p.cells[0];
    EXPECT_TRUE(cell.boundaryCell);
    EXPECT_EQ(cell.material, p.materials[0].get());
    EXPECT_TRUE(cell.nodeNumbers.empty());
    EXPECT_EQ(xyz(cell.corners[5]), (std::array<double, 3>{1.0, 0.0, 1.0}));

    ReadModel byNode = readFrom(std::string(kTenNodes) +
                                "EFGDATA NCELL 2 CELL NODE\n"
                                "DMCELL steel 1 2 3 4 5 6 7 10\n"
                                "BDCELLS steel 10 9 8 7 6 5 4 3\n"
                                "ENDEFG END\n");
    const Model& n = *byNode.model;
    EXPECT_FALSE(n.cells[0].boundaryCell);
    EXPECT_TRUE(n.cells[1].boundaryCell);
    EXPECT_EQ(n.cells[0].nodeNumbers, (std::vector<double>{0, 1, 2, 3, 4, 5, 6, 9}));
    EXPECT_EQ(xyz(n.cells[0].corners[7]), (std::array<double, 3>{9.0, 0.5, 0.25}));
    EXPECT_EQ(n.cells[1].corners[0].z, 0.25);
}

TEST(ModelSection, BoundAndLoadRecords) {
    ReadModel read = readFrom(std::string(kTenNodes) +
                              "NDISP 2 NLOAD 1\n"
                              "BOUND 1 -1 -1 -1 0 0 0\n 10 0 1 -1 0.1 0.2 0.3\n"
                              "LOAD 4 1 0 0 5 0 0\n"
                              "NSLOAD 2 SIDELOAD\nSIDENODE 1 2 1 1 0 1.5 0 0 OTHER\n"
                              "END\n");
    const Model& m = *read.model;
    EXPECT_EQ(m.dispBCs[1].node, 9);
    EXPECT_EQ(m.dispBCs[1].code, (std::array<int, 3>{0, 1, -1}));
    EXPECT_EQ(m.dispBCs[1].value[2], 0.3);
    EXPECT_EQ(m.loads[0].node, 3);
    EXPECT_EQ(m.loads[0].value[0], 5.0);
    EXPECT_TRUE(m.dispBCsRead);
    EXPECT_TRUE(m.loadsRead);
    ASSERT_EQ(m.sideLoads[0].entries.size(), 1u);
    EXPECT_EQ(m.sideLoads[0].entries[0].node, 1);
    EXPECT_EQ(m.sideLoads[0].entries[0].value[0], 1.5);
    EXPECT_TRUE(m.sideLoads[1].entries.empty());
    // Node 1 lost all three directions, node 10 its z: 30 - 4 equations.
    EXPECT_EQ(m.numEquations, 26);
    EXPECT_EQ(m.nodes[1].dof, (std::array<int, 3>{1, 2, 3}));
    EXPECT_EQ(m.nodes[9].dof, (std::array<int, 3>{25, 26, 0}));
}

TEST(ModelSection, NodesInReverseOrderEndTheBlockAtTheFirstLine) {
    ReadModel read = readFrom("NDM 1 NUMNP 2 NODE\n2 5 0\n1 4 0\nEND\n");
    EXPECT_EQ(read.model->nodes[1].x, 5.0);
    EXPECT_EQ(read.model->nodes[0].x, 0.0);  // its line was read as model keywords
    EXPECT_EQ(read.diagnostics,
              "*** Warning *** Unknown keyword 1\n*** Warning *** Unknown keyword 4\n"
              "*** Warning *** Unknown keyword 0\n");
}

}  // namespace
}  // namespace zelk
