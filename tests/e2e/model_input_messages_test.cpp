// Every message of the model section end to end: the exact text on standard
// error, the file-name / line-number trailer where one is printed, and the
// exit code. Each case is an input file and what the run must print.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue_cases.h"

namespace {

using testing_support::ProgramRun;
using testing_support::runProgram;

using catalogue::at;

// Lines 1-7: two nodes and one elastic material.
const std::string kTwoNodes =
    "NDM 3\n"
    "NUMNP 2\n"
    "NUMMAT 1\n"
    "MATERIAL ISOELASTIC steel 2e11 0.3 7800\n"
    "NODE\n"
    "1 0 0 0 0\n"
    "2 1 0 0 0\n";

// The hint after the point-count errors, for kTwoNodes and NUMEVPOINT count.
std::string pointHint(int count) {
    return "    Hint : NUMEVPOINT is " + std::to_string(count) + " and NUMNP is 2; COPY ALL adds one point per node, "
           "so with it NUMEVPOINT must equal NUMNP, and NUMNP must be the number of the last node of the NODE block\n";
}

struct MessageCase {
    const char* name;
    std::string input;          // the whole input file
    std::string standardError;  // exactly
    int exitCode;
};

std::vector<MessageCase> orderingCases() {
    return {
        {"NodeBeforeNdm", "NUMNP 2\nNODE\n", "*** Error *** NDM must be defined !\n", 1},
        {"NodeBeforeNumnp", "NDM 3\nNODE\n", "*** Error *** NUMBP must be defined !\n", 1},
        {"MaterialBeforeNummat", "MATERIAL\n", "*** Error *** NUMMAT must be defined !\n", 1},
        {"BoundBeforeNdisp", kTwoNodes + "BOUND\n", "*** Error *** NEFGDISP must be defined !\n", 1},
        {"LoadBeforeNload", kTwoNodes + "LOAD\n", "*** Error *** NLOAD must be defined !\n", 1},
        {"EvpointBeforeNumevpoint", kTwoNodes + "EVPOINT\n", "*** Error *** NUMEVPOINT must be defined !\n", 1},
        {"BoundBeforeAnyMaterial", "NDISP 1\nBOUND\n", "*** Error *** Material must be defined !\n", 1},
        {"LoadWithNummatButNoMaterial", "NUMMAT 1\nNLOAD 1\nLOAD\n", "*** Error *** Material must be defined !\n", 1},
        // The entry that is not a material keyword leaves the only slot empty.
        {"EvpointAfterMisspeltMaterial", "NUMMAT 1\nNUMEVPOINT 1\nMATERIAL STEEL\nEVPOINT\n",
         "*** Warning *** Unknown keyword STEEL\n" + at(3) + "*** Error *** Material must be defined !\n", 1},
        {"EndOfFileInsideTheSection", "NDM 3\n", "*** Error ***: In reading file in.dat : End of file\n", 1},
    };
}

std::vector<MessageCase> pointCases() {
    return {
        {"CopyAllBeyondNumevpoint", kTwoNodes + "NUMEVPOINT 1\nEVPOINT\nCOPY ALL steel 0\n",
         "*** Error *** Too many evaluation points inputed in line : 10\n" + pointHint(1), 1},
        {"PointBeyondNumevpoint", kTwoNodes + "NUMEVPOINT 1\nEVPOINT\nPOINT 0 0 0 steel 1\nPOINT 1 0 0 steel 1\n",
         "*** Error *** Too many evaluation points inputed in line : 11\n" + pointHint(1), 1},
        {"TooFewPoints", kTwoNodes + "NUMEVPOINT 3\nEVPOINT\nPOINT 0 0 0 steel 1\nENDEVPOINT\n",
         "*** Error *** Too few evaluation points inputed\n    Required : 3\n    Inputed  : 1\n" + pointHint(3), 1},
        {"MaterialNameDiffersInCase", kTwoNodes + "NUMEVPOINT 1\nEVPOINT\nPOINT 0 0 0 Steel 1\n",
         "*** Error *** in line 10 : Material Steel has not been defined ! \n", 1},
        // The invalid line adds nothing: with a range left over it would overflow the table.
        {"InvalidCopyParameterAddsNoPoints",
         kTwoNodes + "NUMEVPOINT 3\nEVPOINT\nCOPY FROMTO 1 2 1 steel 0\nCOPY SOME steel 0\nPOINT 0 0 0 steel 0\n"
                     "ENDEVPOINT\nEND\nEND\n",
         "*** Warning *** EvPoint : Invalid COPY parameter !", 0},
        {"InvalidCopyParameterFirst",
         kTwoNodes + "NUMEVPOINT 1\nEVPOINT\nCOPY all steel 0\nENDEVPOINT\n",
         "*** Warning *** EvPoint : Invalid COPY parameter !*** Error *** Too few evaluation points inputed\n"
         "    Required : 1\n    Inputed  : 0\n" + pointHint(1),
         1},
        {"UnknownEvpointWord", kTwoNodes + "NUMEVPOINT 2\nEVPOINT\nCOPY ALL steel 0\nCURVE\nENDEVPOINT\nEND\nEND\n",
         "*** Warning *** Unknown keyword CURVE\n" + at(11), 0},
    };
}

std::vector<MessageCase> keywordCases() {
    return {
        {"UnknownModelKeyword", "FOO\nEND\nEND\n", "*** Warning *** Unknown keyword FOO\n" + at(1), 0},
        {"PlaneInLowerCase", "NDM 3\nPLANE strain\n", "Error command in line : 2\n", 1},
        {"PlaneStressesAccepted", "PLANE STRESSES\nEND\nEND\n", "", 0},
        {"CellModeNeitherPointNorNode",
         kTwoNodes + "EFGDATA\nNCELL 1\nCELL CORNERS DMCELL steel\n",
         "*** Error *** Invalid keyword CORNERS\n" + at(10), 1},
        {"UnknownEfgdataWord", "EFGDATA\nNCELLS 0\nNSTEP\nENDEFG\nEND\nEND\n",
         "*** Warning *** Unknown keyword NSTEP\n" + at(3), 0},
        // Only one of two materials is made; the second name stays unknown.
        {"MisspeltSecondMaterial",
         "NDM 3\nNUMMAT 2\nMATERIAL\nISOELASTIC a 1 0.3 1\nISOPLASTIC b 1 0.3 1\nNUMEVPOINT 1\nEVPOINT\nPOINT 0 0 0 b 1\n",
         "*** Warning *** Unknown keyword ISOPLASTIC\n" + at(5) + "did you mean ISOELASTIC?\n" +
             "*** Warning *** Unknown keyword b\n" + at(5) +
             "*** Warning *** Unknown keyword 1\n" + at(5) + "*** Warning *** Unknown keyword 0.3\n" + at(5) +
             "*** Warning *** Unknown keyword 1\n" + at(5) +
             "*** Error *** in line 8 : Material b has not been defined ! \n",
         1},
    };
}

// Numbers outside their tables and counts outside 0..limit.
std::vector<MessageCase> rangeCases() {
    return {
        {"NodeNumberAboveNumnp", "NDM 3\nNUMNP 2\nNODE\n3 0 0 0 0\n",
         "*** Error *** Node number 3 out of range 1 to 2\n" + at(4), 1},
        {"NodeNumberZero", "NDM 1\nNUMNP 2\nNODE\n0 0 0\n", "*** Error *** Node number 0 out of range 1 to 2\n" + at(4), 1},
        {"BoundNodeNumberAboveNumnp", kTwoNodes + "NDISP 1\nBOUND\n5 -1 0 0 0 0 0\n",
         "*** Error *** Node number 5 out of range 1 to 2\n" + at(10), 1},
        {"LoadNodeNumberNegative", kTwoNodes + "NLOAD 1\nLOAD\n-1 0 0 0 0 0 0\n",
         "*** Error *** Node number -1 out of range 1 to 2\n" + at(10), 1},
        {"CopyFromtoBeyondNumnp", kTwoNodes + "NUMEVPOINT 5\nEVPOINT\nCOPY FROMTO 1 5 1 steel 0\n",
         "*** Error *** Node number 3 out of range 1 to 2\n" + at(10), 1},
        {"CopyAllWithoutNodes", "NUMMAT 1\nMATERIAL ISOELASTIC s 1 0 1\nNUMEVPOINT 1\nEVPOINT\nCOPY ALL s 0\n",
         "*** Error *** Node number 1 out of range 1 to 0\n" + at(5), 1},
        {"CellNodeBeyondNumnp", kTwoNodes + "EFGDATA\nNCELL 1\nCELL NODE DMCELL steel 1 2 1 2 1 2 1 9\n",
         "*** Error *** Node number 9 out of range 1 to 2\n" + at(10), 1},
        {"SideNodeBeyondNumnp", kTwoNodes + "NSLOAD 1\nSIDELOAD SIDENODE 1 7 0 0 0 0 0 0\n",
         "*** Error *** Node number 7 out of range 1 to 2\n" + at(9), 1},
        {"NegativeNintx", "EFGDATA NINTX -1\n", "*** Error *** NINTX -1 out of range 0 to 2147483647\n" + at(1), 1},
        {"NdmFour", "NDM 4\n", "*** Error *** NDM 4 out of range 1 to 3\n" + at(1), 1},
        {"SecondMaterialBlockBeyondNummat",
         "NUMMAT 1\nMATERIAL ISOELASTIC a 1 0.3 1\nMATERIAL ISOELASTIC b 1 0.3 1\n",
         "*** Error *** Too many materials inputed, NUMMAT = 1\n" + at(3), 1},
    };
}

// Values that would make a denominator of the stress update zero or meaningless.
std::vector<MessageCase> materialValueCases() {
    auto material = [](const std::string& line) { return "NUMMAT 1\nMATERIAL\n" + line + "\n"; };
    return {
        {"TangentEqualsYoungs", material("ISOELA_PLA_HYD m 2e11 0.3 7800 2e11 3e8"),
         "*** Error *** Material m : tangent modulus must be less than Young's modulus : 2e+11\n" + at(3), 1},
        {"PoissonHalf", material("ISOELASTIC m 2e11 0.5 7800"),
         "*** Error *** Material m : Poisson's ratio must lie strictly between -1 and 0.5 : 0.5\n" + at(3), 1},
        {"PoissonMinusOne", material("ISOELA_PLA_HYD m 2e11 -1 7800 1e9 3e8"),
         "*** Error *** Material m : Poisson's ratio must lie strictly between -1 and 0.5 : -1\n" + at(3), 1},
        {"DensityZero", material("ISOELASTIC m 2e11 0.3 0"),
         "*** Error *** Material m : density must be positive : 0\n" + at(3), 1},
        {"YoungsZero", material("ISOELASTIC m 0 0.3 7800"),
         "*** Error *** Material m : Young's modulus must be positive : 0\n" + at(3), 1},
        {"YoungsNegative", material("ISOELA_PLA_HYD m -5 0.3 7800 -6 3e8"),
         "*** Error *** Material m : Young's modulus must be positive : -5\n" + at(3), 1},
        {"YieldNegative", material("ISOELA_PLA_HYD m 2e11 0.3 7800 1e9 -1"),
         "*** Error *** Material m : yield stress must not be negative : -1\n" + at(3), 1},
        {"ValidPlasticMaterial", material("ISOELA_PLA_HYD m 2e11 0.3 7800 0 3e8") + "END\nEND\n", "", 0},
    };
}

void runCases(const std::vector<MessageCase>& cases) {
    for (const MessageCase& c : cases) {
        SCOPED_TRACE(c.name);
        ProgramRun run = runProgram(ZELK_PROGRAM, {"in.dat"}, {{"in.dat", c.input}});
        EXPECT_EQ(run.standardError, c.standardError);
        EXPECT_EQ(run.exitCode, c.exitCode);
    }
}

TEST(ModelInputMessages, BlocksCheckTheirCountsAndMaterialsFirst) { runCases(orderingCases()); }
TEST(ModelInputMessages, EvaluationPointBlock) { runCases(pointCases()); }
TEST(ModelInputMessages, KeywordsAndModes) { runCases(keywordCases()); }
TEST(ModelInputMessages, NumbersOutsideTheirTablesAreRejected) { runCases(rangeCases()); }
TEST(ModelInputMessages, MaterialValuesAreChecked) { runCases(materialValueCases()); }

TEST(ModelInputMessages, BundledBarRunsWithoutAnyMessage) {
    std::string bar = testing_support::readWholeFile(EXAMPLES_DIR "/bar.dat");
    ASSERT_FALSE(bar.empty());
    ProgramRun run = runProgram(ZELK_PROGRAM, {"bar.dat"}, {{"bar.dat", bar}});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.standardError, "");
    // Standard output carries the per-step progress lines only.
    EXPECT_EQ(run.standardOutput.find("***"), std::string::npos);
}

}  // namespace
