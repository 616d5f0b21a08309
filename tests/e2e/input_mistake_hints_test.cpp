// Input mistakes end to end: each case is a deck with one mistake and the line it must add after the
// message the mistake already gives. That good decks print nothing new, the examples' runs show.
#include <gtest/gtest.h>

#include "catalogue_cases.h"

namespace {

using namespace catalogue;

// The cube model (lines 1-27), BATCH (28), the approximation (29-31), the macros from line 32.
std::string cubeRun(const std::string& macros) { return withBatch(kCubeModel, kApprox + macros); }
std::string cube(const std::string& from, const std::string& to) { return replaced(kCubeModel, from, to) + "END\n"; }
const std::string kNoRun = "*** Note *** No analysis ran (no CALTIME was carried out): the macro commands gave ";
const auto kErr = Stream::kError;

TEST(InputMistakeHints, EachMistakeAddsItsLine) {
    runCases({
        // A typo in each table gets the nearest keyword, after the location; a misplaced number gets no guess.
        {"TopLevel", kCubeModel + "BATH\nEND\n", kErr, "BATH\n" + at(28) + "did you mean BATCH?\n", 0},
        {"Model", cube("NUMNP 8", "NUNP 8"), kErr, "NUNP\n" + at(2) + "did you mean NUMNP?\n", 1},
        {"Material", cube("ISOELASTIC", "ISOELASTC"), kErr, "did you mean ISOELASTIC?\n", 1},
        {"EvPoint", cube("COPY ALL", "CPY ALL"), kErr, "did you mean COPY?\n", 1},
        {"EfgData", cube("NCELL 1", "NCLL 1"), kErr, "did you mean NCELL?\n", 0},
        {"GridWall", cubeRun("DYNAMICS PIEFG\nGRIDWALL 0\nPLANR\nENDGRID\n"), kErr, "did you mean PLANE?\n", 0},
        {"Report", cubeRun("LISTVAR SUPORTSIZE\n"), kErr, "did you mean SUPPORTSIZE?\n", 0},
        {"Number", cubeRun("CALTIME 1e-4\n"), kErr, "1e-4\n" + at(32) + kNoRun, 0},
        // CALTME and its 1e-4: two warnings on line 34.
        {"Macro", cubeRun("DYNAMICS PIEFG\nSTEPTIME CONST 0.1\nCALTME 1e-4\n"), kErr,
         "CALTME\n" + at(34) + "did you mean CALTIME?\n*** Warning *** Unknown keyword 1e-4\n" + at(34) + kNoRun +
             "2 warnings, the first in line 34\n",
         0},
        // "dyna not define!!!" twice (lines 32, 33), leaving CONST, 0.1 and 1e-4 to be read as commands.
        {"NoDynamics", cubeRun("STEPTIME CONST 0.1\nCALTIME 1e-4\n"), kErr, "5 warnings, the first in line 32\n", 0},
        {"TooFewPoints", cube("NUMEVPOINT 8", "NUMEVPOINT 9"), kErr, "8\n    Hint : NUMEVPOINT is 9 and NUMNP is 8", 1},
        // Spacing 1, steel's nu = 0.3: the largest stable length is sqrt((1 + nu)(1 - 2 nu) / (1 - nu)) = 0.8619.
        {"JacobianStop", cubeRun("DYNAMICS PIEFG\nSTEPTIME CONST 20\nINITV 0 0 -100\nGRIDWALL 1\nPLANE Z -1 0 0 100\n"
                                 "ENDGRID\nCALTIME 1\n"),
         Stream::kOutput, "(STEPTIME 20) is probably too large for the node spacing; with the smallest node spacing 1 "
         "and the wave speed of material steel, STEPTIME should be at most about 0.8619 (the examples use a fifth", 1},
        // Words that used to fall back silently.
        {"SteptimeConstant", cubeRun("DYNAMICS PIEFG\nSTEPTIME CONSTANT 0.1\n"), kErr, "CONSTANT gives a step that", 0},
        {"Axis", cubeRun("DYNAMICS PIEFG\nGRIDWALL 1\nPLANE W -1 0 0 1\nENDGRID\n"), kErr, "W in line 34 taken as", 0},
        {"MaxInflPtBelowZero", cubeRun("MAXINFLPT -3\n"), kErr, "MAXINFLPT : -3 is below 0 and taken as 0", 0},
        {"CellKind", cube("DMCELL", "DOMAIN"), kErr, "kind DOMAIN in line 25 is neither BDCELL nor DMCELL", 0},
    });
}

TEST(InputMistakeHints, InputWithoutEffectIsNotedOnce) {
    std::string model = replaced(kCubeModel, "NUMMAT 1\n", "NUMMAT 1\nNLOAD 1\n");
    model = replaced(model, "EVPOINT\n", "LOAD\n1 0 0 0 0 0 0\nEVPOINT\n");
    const std::string macros = kApprox + "SOLVE\nDYNAMICS PIEFG\nDYNAMICS PIEFG\nSOLVE\nNORM\n";
    const auto run = runCase({"", withBatch(model, macros), kErr, "", 0});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.standardError,
              "*** Note *** LOAD : read, but the explicit analysis applies no nodal loads (no effect)\n"
              "*** Note *** SOLVE : accepted, but it has no effect on the analysis\n"
              "*** Note *** NORM : accepted, but it has no effect on the analysis\n");
}

}  // namespace
