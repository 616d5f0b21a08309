// The lines added after input mistakes, end to end: each case is a whole deck
// with one mistake and the added line(s) it must print, exactly, right after
// the message the mistake already gives. The bundled examples running without
// any message (other tests) show that good decks print nothing new.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue_cases.h"

namespace {

using namespace catalogue;

// The cube model (27 lines) and a block whose commands start on line 29.
std::string cubeRun(const std::string& macros) { return withBatch(kCubeModel, kApprox + macros); }

std::string typoIn(const std::string& from, const std::string& to) { return replaced(kCubeModel, from, to); }

std::vector<Case> typoCases() {
    return {
        {"TopLevel", kCubeModel + "BATH\nEND\n", Stream::kError,
         "Unknown keyword BATH\n" + at(28) + "did you mean BATCH?\n", 0},
        {"Model", typoIn("NUMNP 8", "NUNP 8"), Stream::kError, "Unknown keyword NUNP\n" + at(2) + "did you mean NUMNP?\n", 1},
        {"Material", typoIn("ISOELASTIC", "ISOELASTC"), Stream::kError, "did you mean ISOELASTIC?\n", 1},
        {"EvPoint", typoIn("COPY ALL", "CPY ALL"), Stream::kError, "did you mean COPY?\n", 1},
        {"EfgData", typoIn("NCELL 1", "NCLL 1"), Stream::kError, "did you mean NCELL?\n", 1},
        {"Macro", cubeRun("DYNAMICS PIEFG\nSTEPTIME CONST 0.1\nCALTME 1e-4\n"), Stream::kError,
         "Unknown keyword CALTME\n" + at(34) + "did you mean CALTIME?\n", 0},
        {"GridWall", cubeRun("DYNAMICS PIEFG\nGRIDWALL 0\nPLANR\nENDGRID\n"), Stream::kError, "did you mean PLANE?\n", 0},
        {"Report", cubeRun("LISTVAR SUPORTSIZE\n"), Stream::kError, "did you mean SUPPORTSIZE?\n", 0},
        // A value read as a keyword is a misplaced number, not a typo: no guess.
        {"NumberGetsNoGuess", cubeRun("CALTIME 1e-4\n"), Stream::kError, "Unknown keyword 1e-4\n" + at(32) + "*** Note", 0},
    };
}

std::vector<Case> noAnalysisCases() {
    const std::string note = "*** Note *** No analysis ran (no CALTIME was carried out): the macro commands gave ";
    return {
        // CALTME and its time 1e-4 are both unknown, on line 34.
        {"MisspeltCaltime", cubeRun("DYNAMICS PIEFG\nSTEPTIME CONST 0.1\nCALTME 1e-4\n"), Stream::kError,
         note + "2 warnings, the first in line 34\n", 0},
        // "dyna not define!!!" (line 32), then 0.1 read as a command (line 32 again), then CALTIME's
        // "dyna not define!!!" and its 1e-4 (line 33).
        {"NoDynamics", cubeRun("STEPTIME CONST 0.1\nCALTIME 1e-4\n"), Stream::kError,
         note + "4 warnings, the first in line 32\n", 0},
    };
}

std::vector<Case> hintCases() {
    return {
        {"TooFewPoints", typoIn("NUMEVPOINT 8", "NUMEVPOINT 9"), Stream::kError,
         "    Inputed  : 8\n    Hint : NUMEVPOINT is 9 and NUMNP is 8; COPY ALL adds one point per node, so with it "
         "NUMEVPOINT must equal NUMNP, and NUMNP must be the number of the last node of the NODE block\n",
         1},
        {"TooManyPoints", typoIn("NUMEVPOINT 8", "NUMEVPOINT 7"), Stream::kError,
         "line : 17\n    Hint : NUMEVPOINT is 7 and NUMNP is 8;", 1},
        // Node spacing 1, steel nu = 0.3: the largest stable length is
        // 1 * sqrt((1 + nu)(1 - 2 nu) / (1 - nu)) = sqrt(0.52 / 0.7) = 0.8619.
        {"JacobianStop",
         cubeRun("DYNAMICS PIEFG\nSTEPTIME CONST 20\nINITV 0 0 -100\nGRIDWALL 1\nPLANE Z -1 0 0 100\nENDGRID\n"
                 "CALTIME 1\n"),
         Stream::kOutput,
         "is probably too large for the node spacing; with the smallest node spacing 1 and the wave speed of "
         "material steel, STEPTIME should be at most about 0.8619 (the examples use a fifth of the spacing, 0.2)\n",
         1},
    };
}

std::vector<Case> fallbackCases() {
    return {
        {"SteptimeConstant", cubeRun("DYNAMICS PIEFG\nSTEPTIME CONSTANT 0.1\n"), Stream::kError,
         "*** Warning *** STEPTIME : CONSTANT gives a step that shrinks with the Jacobian; the words are CONST "
         "(constant step) or another word such as VARIABLE (shrinking step)\n",
         0},
        {"WallAxis", cubeRun("DYNAMICS PIEFG\nGRIDWALL 1\nPLANE W -1 0 0 100\nENDGRID\n"), Stream::kError,
         "*** Warning *** GRIDWALL : wall axis W in line 34 taken as X; the axis words are X, Y and Z\n", 0},
        {"MaxInflPtBelowZero", cubeRun("MAXINFLPT -3\n"), Stream::kError,
         "*** Warning *** MAXINFLPT : -3 is below 0 and taken as 0, the number of nodes; the values are 0 (the "
         "number of nodes) or a capacity from 1 to 200\n",
         0},
        {"CellKind", typoIn("DMCELL", "DOMAIN"), Stream::kError,
         "*** Warning *** CELL : cell kind DOMAIN in line 25 is neither BDCELL nor DMCELL; the cell keeps its kind "
         "(DMCELL)\n",
         0},
    };
}

TEST(InputMistakeHints, TypoInEveryTableGetsTheNearestKeyword) { runCases(typoCases()); }
TEST(InputMistakeHints, RejectedCommandsWithoutAnalysisEndWithANote) { runCases(noAnalysisCases()); }
TEST(InputMistakeHints, ErrorsGetAHintLine) { runCases(hintCases()); }
TEST(InputMistakeHints, SilentFallbacksWarn) { runCases(fallbackCases()); }

TEST(InputMistakeHints, InputWithoutEffectIsNotedOnceWhenDynamicsRuns) {
    const std::string model =
        replaced(replaced(kCubeModel, "NUMMAT 1\n", "NUMMAT 1\nNLOAD 1\n"), "EVPOINT\n", "LOAD\n1 0 0 0 0 0 0\nEVPOINT\n");
    const auto run = runCase({"", withBatch(model, kApprox + "SOLVE\nDYNAMICS PIEFG\nDYNAMICS PIEFG\n"), Stream::kError, "", 0});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.standardError,
              "*** Note *** LOAD : read, but the explicit analysis applies no nodal loads (no effect)\n"
              "*** Note *** SOLVE : accepted, but it has no effect on the analysis\n");
}

}  // namespace
