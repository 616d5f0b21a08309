// Geometry that leaves nothing to integrate over: coincident nodes, cells of
// zero volume and inverted cells. Each is read in; the analysis reports it
// and stops with exit code 1.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue_cases.h"

namespace {

using namespace catalogue;

const std::string kRun = kApprox + "DYNAMICS PIEFG\n" + kFall;

// The cube with every node at the origin.
std::string allAtTheOrigin() {
    std::string model = kCubeModel;
    const char* lines[] = {"2 1 0 0 1", "3 0 1 0 1", "4 1 1 0 1", "5 0 0 1 0", "6 1 0 1 0", "7 0 1 1 0", "8 1 1 1 0"};
    for (const char* line : lines) {
        std::string moved = line;
        moved.replace(2, 5, "0 0 0");
        model = replaced(model, line, moved);
    }
    return model;
}

// The top four nodes lowered into the bottom plane.
std::string flattened() {
    std::string model = kCubeModel;
    model = replaced(model, "5 0 0 1 0", "5 0 0 0 0");
    model = replaced(model, "6 1 0 1 0", "6 1 0 0 0");
    model = replaced(model, "7 0 1 1 0", "7 0 1 0 0");
    return replaced(model, "8 1 1 1 0", "8 1 1 0 0");
}

std::string cellCorners(const std::string& corners) {
    return replaced(kCubeModel, "DMCELL steel 1 2 3 4 5 6 7 8", "DMCELL steel " + corners);
}

// The same cell given by its corner coordinates, three per line.
std::string cellPoints(const std::string& corners) {
    return replaced(kCubeModel, "CELL NODE\nDMCELL steel 1 2 3 4 5 6 7 8", "CELL POINT\nDMCELL steel\n" + corners);
}

const std::string kUnitCubeCorners = "0 0 0\n1 0 0\n0 1 0\n1 1 0\n0 0 1\n1 0 1\n0 1 1\n1 1 1\n";

std::vector<Case> geometryCases() {
    return {
        // Two nodes at one place: the others still give a regular moment matrix.
        {"TwoCoincidentNodesRun", withBatch(replaced(kCubeModel, "8 1 1 1 0", "8 1 1 0 0"), kRun), Stream::kOutput,
         "TIME STEP = 6 ", 0},
        {"AllNodesCoincidentInputOnly", allAtTheOrigin() + "END\nEND\n", Stream::kError, "", 0},
        {"AllNodesCoincident", withBatch(allAtTheOrigin(), kRun), Stream::kOutput,
         "0-th diagonal element is exactly zero\n\nShapefunction error!!!", 1},
        {"AllNodesCoincidentWithSingularCheck", withBatch(allAtTheOrigin(), "MLS\nBASIS LINE\nSINCHE\nINFLE SEL 4\n"
                                                                            "DYNAMICS PIEFG\n"),
         Stream::kError, "*** Error *** SingularCheck : Matrix A is singular !\n", 1},
        {"AllNodesInOnePlane", withBatch(flattened(), kRun), Stream::kOutput, "Shapefunction error!!!", 1},
        // Cells: one of zero volume, one turned inside out, under both schemes.
        {"CellOfZeroVolumePiefg", withBatch(cellCorners("1 2 3 4 1 2 3 4"), kRun), Stream::kOutput,
         "0cell xj error!!!\n", 1},
        {"InvertedCellPiefg", withBatch(cellCorners("5 6 7 8 1 2 3 4"), kRun), Stream::kOutput,
         "-1cell xj error!!!\n", 1},
        {"InvertedCellEfg", withBatch(cellCorners("5 6 7 8 1 2 3 4"), kApprox + "DYNAMICS EFG\n" + kFall),
         Stream::kOutput, "-0.125cell xj error!!!\n", 1},
        {"CellGivenByPointsRuns", withBatch(cellPoints(kUnitCubeCorners), kApprox + "DYNAMICS EFG\n" + kFall),
         Stream::kOutput, "TIME STEP = 6 ", 0},
        {"FlatCellGivenByPoints",
         withBatch(cellPoints("0 0 0\n1 0 0\n0 1 0\n1 1 0\n0 0 0\n1 0 0\n0 1 0\n1 1 0\n"),
                   kApprox + "DYNAMICS EFG\n" + kFall),
         Stream::kOutput, "0cell xj error!!!\n", 1},
    };
}

TEST(CatalogueGeometry, DegenerateNodesAndCells) { runCases(geometryCases()); }

// A bad cell stops the run before the first step: no history is written.
TEST(CatalogueGeometry, InvertedCellStopsBeforeTheFirstStep) {
    const auto run = runCase({"", withBatch(cellCorners("5 6 7 8 1 2 3 4"), kRun), Stream::kOutput, "", 1});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.standardOutput, "-1cell xj error!!!\n");
    EXPECT_EQ(run.file("End_y.txt"), "");
}

}  // namespace
