// Counts: negative or too large for memory is an input error before anything
// is allocated; zero is a valid model, and the command that needs what is
// missing stops with an error that names it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue_cases.h"
#include "model/model.h"

namespace {

using namespace catalogue;

Case outOfRange(const char* name, const std::string& input, const std::string& what, long long value, int limit,
                int line) {
    return {name, input, Stream::kError,
            "*** Error *** " + what + " " + std::to_string(value) + " out of range 0 to " + std::to_string(limit) +
                "\n" + at(line),
            1};
}

std::vector<Case> modelCountCases() {
    using zelk::maxTableCount;
    const int huge = 2000000000;
    return {
        outOfRange("NumnpNegative", "NUMNP -8\n", "NUMNP", -8, maxTableCount<zelk::Node>(), 1),
        outOfRange("NummatHuge", "NUMMAT 2000000000\n", "NUMMAT", huge, maxTableCount<zelk::Material>(), 1),
        outOfRange("NloadNegative", "NLOAD -1\n", "NLOAD", -1, maxTableCount<zelk::NodalBC>(), 1),
        // An empty record must not turn the limit into a negative number.
        outOfRange("NsdomaHuge", "NSDOMA 2000000000\n", "NSDOMA", huge, maxTableCount<zelk::SideDomain>(), 1),
        outOfRange("NcellHuge", "EFGDATA\nNCELL 2000000000\n", "NCELL", huge, maxTableCount<zelk::Cell>(), 2),
        outOfRange("SideNodesHuge", "NSLOAD 1\nSIDELOAD SIDENODE 2000000000\n", "SIDENODE", huge,
                   maxTableCount<zelk::SideLoadEntry>(), 2),
        // Beyond an int: the reader refuses the number itself.
        {"NumnpBeyondAnInt", "NUMNP 99999999999\n", Stream::kError,
         "*** Error *** Number out of range 99999999999\n" + at(1), 1},
    };
}

std::vector<Case> commandCountCases() {
    const std::string dynamics = kCubeModel + "BATCH\n" + kApprox + "DYNAMICS PIEFG\n";
    return {
        {"GridWallNegative", dynamics + "GRIDWALL -1\nENDGRID\nEND\nEND\n", Stream::kOutput,
         "*** Error *** GridWall : negative wall count -1 (line 33)\n", 1},
        // A huge count allocates nothing: the walls are collected as they come.
        {"GridWallHuge", dynamics + "GRIDWALL 2000000000\nENDGRID\nEND\nEND\n", Stream::kOutput,
         "*** Error *** GridWall : 0 wall lines before ENDGRID for a count of 2000000000 (line 34)\n", 1},
        {"MaxInflPtHuge", withBatch(kCubeModel, "MLS\nMAXINFLPT 2000000000\n"), Stream::kError,
         "*** Error *** MaxInflPt : 2000000000 out of range 0 to 200\n", 1},
        {"MaxInflPtNegative", withBatch(kCubeModel, "MLS\nBASIS LINE\nMAXINFLPT -5\nINFLE SEL 8\nDYNAMICS PIEFG\n"),
         Stream::kError, "*** Warning *** MAXINFLPT : -5 is below 0 and taken as 0", 0},
        // A support count beyond the nodes means all of them.
        {"InfleSelHuge", withBatch(kCubeModel, "MLS\nBASIS LINE\nINFLE SEL 2000000000\nDYNAMICS PIEFG\n" + kFall),
         Stream::kOutput, "TIME STEP = 6 ", 0},
        {"NintxHugeAtDynamics",
         withBatch(replaced(kCubeModel, "NINTX 2", "NINTX 2000000000"), kApprox + "DYNAMICS EFG\n"),
         Stream::kOutput,
         "*** Error *** Dynamics : NINTX, NINTY, NINTZ (2000000000, 2, 2) must each lie in 1 to 10 with a product of "
         "at most 150\n",
         1},
    };
}

// Models with nothing in a table read in; the command that needs it says so.
std::vector<Case> zeroCountCases() {
    const std::string twoNodes = "NDM 3\nNUMNP 2\nNODE\n1 0 0 0 0\n2 1 0 0 0\nEND\n";
    const std::string noEvPoints =
        replaced(replaced(kCubeModel, "NUMEVPOINT 8\n", ""), "EVPOINT\nCOPY ALL steel 1\nENDEVPOINT\n", "");
    const std::string noCells =
        replaced(replaced(kCubeModel, "NCELL 1", "NCELL 0"), "CELL NODE\nDMCELL steel 1 2 3 4 5 6 7 8\n", "");
    return {
        {"EveryCountZero", "NUMNP 0\nNUMEVPOINT 0\nNUMMAT 0\nNDISP 0\nNLOAD 0\nNSLOAD 0\nNSDOMA 0\n"
                           "EFGDATA NCELL 0 ENDEFG\nEND\nBATCH\nMLS\nINFLE SEL 3\nOUTPU\nEND\nEND\n",
         Stream::kError, "", 0},
        {"DynamicsWithoutNodes", withBatch("NUMNP 0\nEND\n", "MLS\nDYNAMICS PIEFG\n"), Stream::kOutput,
         "*** Error *** Dynamics : the model has no nodes\n", 1},
        {"DynamicsWithoutMaterials", withBatch(twoNodes, "MLS\nBASIS LINE\nDYNAMICS EFG\n"), Stream::kOutput,
         "*** Error *** Dynamics : the model has no evaluation points (EVPOINT)\n", 1},
        {"DynamicsWithoutEvaluationPoints", withBatch(noEvPoints, kApprox + "DYNAMICS PIEFG\n"), Stream::kOutput,
         "*** Error *** Dynamics : the model has no evaluation points (EVPOINT)\n", 1},
        {"EfgWithoutCells", withBatch(noCells, kApprox + "DYNAMICS EFG\n"), Stream::kOutput,
         "*** Error *** Dynamics : EFG needs background cells (NCELL, CELL)\n", 1},
        // PIEFG builds its points without cells; only the masses need them.
        {"PiefgWithoutCellsBuilds", withBatch(noCells, kApprox + "DYNAMICS PIEFG\nOUTPU\n"), Stream::kError, "", 0},
        {"PiefgCalTimeWithoutCells", withBatch(noCells, kApprox + "DYNAMICS PIEFG\n" + kFall), Stream::kOutput,
         "*** Error *** Dynamics : node 1 has a lumped mass of 0", 1},
        {"CalTimeWithoutStepTime", withBatch(kCubeModel, kApprox + "DYNAMICS PIEFG\nCALTIME 1e-4\n"),
         Stream::kOutput, "*** Error *** CalTime : the step length must be positive (give STEPTIME before CALTIME)\n",
         1},
        {"NegativeStepTime", withBatch(kCubeModel, kApprox + "DYNAMICS PIEFG\nSTEPTIME CONST -1\nCALTIME 1e-4\n"),
         Stream::kOutput, "*** Error *** CalTime : the step length must be positive", 1},
    };
}

TEST(CatalogueCounts, ModelCountsOutsideTheirRange) { runCases(modelCountCases()); }
TEST(CatalogueCounts, CommandCounts) { runCases(commandCountCases()); }
TEST(CatalogueCounts, ZeroCountsAreValidUntilACommandNeedsThem) { runCases(zeroCountCases()); }

}  // namespace
