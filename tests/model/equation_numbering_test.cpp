// Equation numbering, reduced numbering and material look-up on a Model
// built in code.
#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "input/fatal_exit.h"
#include "model/model.h"

namespace zelk {
namespace {

// n active nodes, no boundary conditions.
void addActiveNodes(Model& model, int count) {
    model.sizeNodes(count);
    for (Node& node : model.nodes) node.dof = {1, 1, 1};
}

NodalBC bound(int node, std::array<int, 3> code) {
    NodalBC bc;
    bc.node = node;
    bc.code = code;
    return bc;
}

TEST(EquationNumbering, WithoutBoundEveryDirectionIsNumberedNodeMajor) {
    Model model;
    addActiveNodes(model, 4);
    model.numberEquations();
    EXPECT_EQ(model.numEquations, 12);
    EXPECT_EQ(model.nodes[2].dof, (std::array<int, 3>{7, 8, 9}));
}

TEST(EquationNumbering, FixedDirectionShiftsLaterNumbersDown) {
    Model model;
    addActiveNodes(model, 3);
    model.sizeDispBCs(1);
    model.dispBCs[0] = bound(1, {0, 0, -1});
    model.numberEquations();
    EXPECT_EQ(model.numEquations, 8);
    EXPECT_EQ(model.nodes[1].dof, (std::array<int, 3>{4, 5, 0}));
    EXPECT_EQ(model.nodes[2].dof, (std::array<int, 3>{6, 7, 8}));
}

TEST(EquationNumbering, RecordOutsideTheNodeTableRemovesNothing) {
    Model model;
    addActiveNodes(model, 1);
    model.sizeDispBCs(1);
    model.dispBCs[0] = bound(5, {-1, -1, -1});  // node table shrank after BOUND
    model.numberEquations();
    EXPECT_EQ(model.numEquations, 3);
}

TEST(ReducedNumbering, FlaggedNodesLoseTheirCodeZeroDirections) {
    Model model;
    addActiveNodes(model, 4);
    model.nodes[0].nodeFlag = 1;
    model.nodes[3].nodeFlag = 1;
    model.sizeDispBCs(2);
    model.dispBCs[0] = bound(3, {0, 1, 1});
    model.dispBCs[1] = bound(0, {0, 1, 1});
    model.numberEquations();
    model.renumberReduced(true);
    EXPECT_TRUE(model.reducedDof);
    EXPECT_EQ(model.numEquations, 10);  // 3 * 4 minus one per flagged node
    EXPECT_EQ(model.nodes[0].dof, (std::array<int, 3>{0, 1, 2}));
    EXPECT_EQ(model.nodes[1].dof, (std::array<int, 3>{3, 4, 5}));
    EXPECT_EQ(model.nodes[3].dof, (std::array<int, 3>{0, 9, 10}));
}

TEST(ReducedNumbering, FlaggedNodeWithoutBoundGetsNumbersOfItsOwn) {
    Model model;
    addActiveNodes(model, 3);
    for (Node& node : model.nodes) node.nodeFlag = 1;
    model.sizeDispBCs(1);
    model.dispBCs[0] = bound(0, {0, 0, 1});
    model.numberEquations();
    model.renumberReduced(true);
    std::set<int> seen;
    for (const Node& node : model.nodes)
        for (int dof : node.dof)
            if (dof != 0) {
                EXPECT_TRUE(seen.insert(dof).second) << "equation " << dof << " repeated";
            }
    EXPECT_EQ(model.numEquations, 7);
    EXPECT_EQ(seen.size(), 7u);
    EXPECT_EQ(*seen.rbegin(), 7);
}

TEST(ReducedNumbering, FalseFlagKeepsTheNumbering) {
    Model model;
    addActiveNodes(model, 2);
    model.sizeDispBCs(1);
    model.dispBCs[0] = bound(0, {-1, 1, 1});
    model.numberEquations();
    model.renumberReduced(false);
    EXPECT_FALSE(model.reducedDof);
    EXPECT_EQ(model.numEquations, 5);
    EXPECT_EQ(model.nodes[0].dof, (std::array<int, 3>{0, 1, 2}));
}

TEST(MaterialLookup, NamesMatchInFullAndCaseSensitively) {
    Model model;
    model.sizeMaterials(3);
    model.materials[0] = std::make_unique<Material>();
    model.materials[0]->name = "steel";
    // Slot 1 stays empty (an entry that was not a material keyword).
    model.materials[2] = std::make_unique<Material>();
    model.materials[2]->name = "Steel";
    std::ostringstream diagnostics;
    EXPECT_EQ(model.findMaterial("steel", 1, diagnostics), 0);
    EXPECT_EQ(model.findMaterial("Steel", 1, diagnostics), 2);
    EXPECT_THROW(model.findMaterial("STEEL", 12, diagnostics), FatalExit);
    EXPECT_THROW(model.findMaterial("stee", 12, diagnostics), FatalExit);
    EXPECT_EQ(diagnostics.str(),
              "*** Error *** in line 12 : Material STEEL has not been defined ! \n"
              "*** Error *** in line 12 : Material stee has not been defined ! \n");
}

TEST(MaterialLookup, MaterialsReplacedByANewCountStayAlive) {
    Model model;
    model.sizeMaterials(1);
    model.materials[0] = std::make_unique<Material>();
    model.materials[0]->name = "old";
    const Material* heldByAPoint = model.materials[0].get();
    model.sizeMaterials(2);
    EXPECT_EQ(model.NUMMAT, 2);
    EXPECT_FALSE(model.materials[0]);
    EXPECT_EQ(heldByAPoint->name, "old");  // still owned by the model
}

}  // namespace
}  // namespace zelk
