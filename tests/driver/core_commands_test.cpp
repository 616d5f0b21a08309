#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "driver/macro_command_table.h"
#include "driver/macro_context.h"
#include "input/fatal_exit.h"
#include "input/input_reader.h"

namespace zelk {
namespace {

// One RUN block whose commands are typed at a console given as text.
struct MacroBlock : ::testing::Test {
    std::istringstream console;
    std::ostringstream diagnostics;
    std::ostringstream resultFile;
    InputReader reader{console, diagnostics};
    Model model;
    MacroRecord record{reader, resultFile, model};
    MacroContext context{record};

    void type(const std::string& lines) {
        console.str(lines);
        console.clear();
        reader.consoleMode = true;
    }
    // Reads one command and runs its handler, as the RUN loop does.
    void execute() {
        const int keyword = reader.readKeyword(MacroKeywords);
        ASSERT_GE(keyword, 0);
        macroCommand(static_cast<MacroKeyword>(keyword)).handler(context);
    }
    std::string nextWord() { return reader.readWord(); }
};

TEST_F(MacroBlock, CheckKeepsItsChoiceOrGivesTheWordBack) {
    type("CHECK stresses\nCHECK MLS\nCHECK\nall\n");
    execute();
    EXPECT_EQ(context.equationText, "STRESSES");
    execute();
    EXPECT_EQ(context.equationText, "ALL");
    EXPECT_EQ(nextWord(), "MLS");
    execute();  // the choice may stand on the next line
    EXPECT_EQ(context.equationText, "ALL");
    EXPECT_EQ(reader.fieldsLeft(), 0);
}

TEST_F(MacroBlock, TangentGivesBackAWordThatIsNotItsChoice) {
    type("TANGENT nodirect TANGENT END\n");
    execute();
    EXPECT_EQ(context.equationText, "NODIRECT");
    execute();
    EXPECT_EQ(context.equationText, "NODIRECT");
    execute();
    EXPECT_TRUE(context.ended);
}

TEST_F(MacroBlock, BandSelectsTheEquationVariants) {
    type("LEAST DIRECT BAND off EFGM GCMM BAND ON LEAST\n");
    execute();
    EXPECT_EQ(context.equationText, "SymmBandEquation");
    execute();
    EXPECT_EQ(context.equationText, "UnSymmBandEquation");
    execute();
    EXPECT_FALSE(record.band);
    execute();
    EXPECT_EQ(context.equationText, "SymmEquation");
    execute();
    EXPECT_EQ(context.equationText, "UnSymmEquation");
    execute();
    EXPECT_TRUE(record.band);
    execute();
    EXPECT_EQ(context.equationText, "SymmBandEquation");
}

TEST_F(MacroBlock, EquationTextHoldsNineteenCharactersAtMost) {
    type("CHECK DISPLACEMENTS_AND_STRESSES\n");
    execute();
    EXPECT_EQ(context.equationText, "DISPLACEMENTS_AND_S");
}

TEST_F(MacroBlock, WordArgumentsAreConsumedAndOptionalNumbersOnlyWhenNumeric) {
    type("DERIVATIV x RBFTYPE mq 0.5 RBFTYPE tps PRINT\n");
    execute();
    execute();
    execute();
    EXPECT_EQ(nextWord(), "PRINT");
}

TEST_F(MacroBlock, HandlersLeaveUnusedFieldsOfTheLine) {
    type("SOLVE NORM EXACT PENALTY CURVE RBF DERIVATIV d LAST\n");
    for (int command = 0; command < 7; ++command) execute();
    EXPECT_EQ(nextWord(), "LAST");
    EXPECT_FALSE(context.ended);
}

TEST_F(MacroBlock, ReducedOfRenumbersTheModel) {
    type("REDUCEDOF\n");
    execute();
    EXPECT_TRUE(model.reducedDof);
}

}  // namespace
}  // namespace zelk
