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

// The equation text each command leaves; the end-to-end runs check what the
// commands read and give back.
TEST_F(MacroBlock, CheckKeepsItsChoiceOrGivesTheWordBack) {
    type("CHECK stresses\nCHECK MLS\nCHECK\nall\nCHECK DISPLACEMENTS_AND_STRESSES\n");
    execute();
    EXPECT_EQ(context.equationText, "STRESSES");
    execute();
    EXPECT_EQ(context.equationText, "ALL");
    EXPECT_EQ(nextWord(), "MLS");
    execute();  // the choice may stand on the next line
    EXPECT_EQ(context.equationText, "ALL");
    execute();  // nineteen characters at most
    EXPECT_EQ(context.equationText, "DISPLACEMENTS_AND_S");
}

TEST_F(MacroBlock, BandSelectsTheEquationVariants) {
    type("LEAST DIRECT BAND off EFGM GCMM BAND ON LEAST TANGENT nodirect REDUCEDOF\n");
    const char* const texts[] = {"SymmBandEquation", "UnSymmBandEquation", nullptr, "SymmEquation",
                                 "UnSymmEquation", nullptr, "SymmBandEquation", "NODIRECT"};
    for (int i = 0; i < 8; ++i) {
        execute();
        if (texts[i]) {
            EXPECT_EQ(context.equationText, texts[i]);
        }
    }
    EXPECT_TRUE(record.band);  // BAND off, then BAND ON
    execute();
    EXPECT_TRUE(model.reducedDof);
}

}  // namespace
}  // namespace zelk
