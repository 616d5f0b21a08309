// Equation numbering, reduced numbering and material look-up on a Model
// built in code.
#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <utility>
#include <vector>

#include "input/fatal_exit.h"
#include "model/model.h"

namespace zelk {
namespace {

using Dofs = std::array<int, 3>;

struct NumberingCase {
    const char* name;
    int nodes;                                 // all active
    std::vector<int> flagged;                  // nodes with nodeFlag 1
    std::vector<std::pair<int, Dofs>> bounds;  // BOUND records: node, code
    int reduce;                                // -1: no renumbering, else its flag
    int equations;
    std::vector<std::pair<int, Dofs>> dofs;    // expected numbers of some nodes
};

TEST(EquationNumbering, PlainAndReducedNumbering) {
    const NumberingCase cases[] = {
        {"NodeMajorWithoutBound", 4, {}, {}, -1, 12, {{2, {7, 8, 9}}}},
        {"FixedDirectionShiftsLaterNumbers", 3, {}, {{1, {0, 0, -1}}}, -1, 8, {{1, {4, 5, 0}}, {2, {6, 7, 8}}}},
        // The node table shrank after BOUND: the record removes nothing.
        {"RecordOutsideTheNodeTable", 1, {}, {{5, {-1, -1, -1}}}, -1, 3, {}},
        // Flagged nodes lose their code-zero directions: 3 * 4 minus one per flagged node.
        {"FlaggedNodesLoseCodeZero", 4, {0, 3}, {{3, {0, 1, 1}}, {0, {0, 1, 1}}}, 1, 10,
         {{0, {0, 1, 2}}, {1, {3, 4, 5}}, {3, {0, 9, 10}}}},
        {"FlaggedNodeWithoutBoundKeepsOwnNumbers", 3, {0, 1, 2}, {{0, {0, 0, 1}}}, 1, 7, {}},
        {"FalseFlagKeepsTheNumbering", 2, {}, {{0, {-1, 1, 1}}}, 0, 5, {{0, {0, 1, 2}}}},
    };
    for (const NumberingCase& c : cases) {
        SCOPED_TRACE(c.name);
        Model model;
        model.sizeNodes(c.nodes);
        for (Node& node : model.nodes) node.dof = {1, 1, 1};
        for (int i : c.flagged) model.nodes[i].nodeFlag = 1;
        model.sizeDispBCs(static_cast<int>(c.bounds.size()));
        for (std::size_t b = 0; b < c.bounds.size(); ++b) {
            model.dispBCs[b].node = c.bounds[b].first;
            model.dispBCs[b].code = c.bounds[b].second;
        }
        model.numberEquations();
        if (c.reduce >= 0) {
            model.renumberReduced(c.reduce == 1);
            EXPECT_EQ(model.reducedDof, c.reduce == 1);
        }
        EXPECT_EQ(model.numEquations, c.equations);
        for (const auto& [node, dofs] : c.dofs) EXPECT_EQ(model.nodes[node].dof, dofs) << "node " << node;
        // Every equation number 1..numEquations is used exactly once.
        std::set<int> seen;
        for (const Node& node : model.nodes)
            for (int dof : node.dof)
                if (dof != 0) {
                    EXPECT_TRUE(seen.insert(dof).second) << "equation " << dof << " repeated";
                }
        EXPECT_EQ(seen.size(), static_cast<std::size_t>(c.equations));
        EXPECT_EQ(seen.empty() ? 0 : *seen.rbegin(), c.equations);
    }
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
