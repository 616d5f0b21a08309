// A BOUND record outside the node table, and material look-up, on a Model built in code.
#include <gtest/gtest.h>

#include <sstream>

#include "input/fatal_exit.h"
#include "model/model.h"

namespace zelk {
namespace {

using Dofs = std::array<int, 3>;

// The node table shrank after BOUND (a later NUMNP): the record removes nothing
// and writes nowhere. The numbering itself is checked in the node dumps of
// tests/e2e/data/cases/geometry.cases.
TEST(EquationNumbering, RecordOutsideTheNodeTableRemovesNothing) {
    Model model;
    model.sizeNodes(1);
    model.nodes[0].dof = {1, 1, 1};
    model.sizeDispBCs(1);
    model.dispBCs[0].node = 5;
    model.dispBCs[0].code = {-1, -1, -1};
    model.numberEquations();
    EXPECT_EQ(model.nodes[0].dof, (Dofs{1, 2, 3}));
    EXPECT_EQ(model.numEquations, 3);
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
