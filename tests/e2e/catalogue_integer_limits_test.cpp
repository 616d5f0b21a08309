// Integer fields at and beyond the limits of a 32-bit int: each is refused
// with the command and the value, clamped, or used without overflow.
#include "catalogue_cases.h"

namespace {

using namespace catalogue;

std::string macros(const std::string& lines) { return withBatch(kCubeModel, kApprox + lines); }
std::string dynamics(const std::string& lines) { return macros("DYNAMICS PIEFG\n" + lines); }
std::string model(const std::string& from, const std::string& to, const std::string& lines = "") {
    return withBatch(replaced(kCubeModel, from, to), lines);
}

TEST(CatalogueIntegerLimits, BoundaryValuesEndCleanly) {
    const std::string max = "2147483647", min = "-2147483648";
    runCases({
        {"ReportStepAtMax", macros("LISTVAR SUPP 1 8 " + max + "\n"), Stream::kOutput, "SupportSize[1:8:2147483647]", 0},
        {"ReportRangeAtBothEnds", macros("LISTVAR SUPP " + min + " " + max + " " + max + "\n"), Stream::kOutput,
         "SupportSize[1:8:2147483647] = \ns[1]=", 0},
        {"PointReportStepAtMax", macros("GEIN\nLISTVAR INFL " + max + " " + max + " " + max + "\n"),
         Stream::kOutput, "InflPtsNb[8:8:2147483647]", 0},
        {"ReportStepBeyondInt", macros("LISTVAR SUPP 1 8 4294967296\n"), Stream::kError,
         "Number out of range 4294967296", 1},
        {"ReportStepMinusZero", macros("LISTVAR SUPP 1 8 -0\n"), Stream::kOutput, "SupportSize[1:8:1]", 0},
        {"MaxInflPtAtMax", macros("MAXINFLPT " + max + "\n"), Stream::kError, "MaxInflPt : 2147483647 out of range", 1},
        {"MaxInflPtAtMinMeansAllNodes", macros("MAXINFLPT " + min + "\n"), Stream::kError,
         "MAXINFLPT : -2147483648 is below 0 and taken as 0", 0},
        {"SupportCountAtMax", macros("INFLE SEL " + max + "\nLISTVAR SUPP 1 1 1\n"), Stream::kError, "", 0},
        {"SaveStateNegative", macros("SAVESTATE -1\n"), Stream::kError, "SaveState : -1 out of range 0 to 2147483647",
         1},
        {"WallCountAtMin", dynamics("GRIDWALL " + min + "\nENDGRID\n"), Stream::kOutput,
         "GridWall : negative wall count -2147483648", 1},
        {"WallCountAtMax", dynamics("GRIDWALL " + max + "\nENDGRID\n"), Stream::kOutput,
         "0 wall lines before ENDGRID for a count of 2147483647", 1},
        {"EndTimeAtDoubleMax", dynamics("STEPTIME CONST 0.1\nCALTIME 1e308\n"), Stream::kOutput,
         "would need more than 2147483647 steps", 1},
        {"NumnpAtMax", model("NUMNP 8", "NUMNP " + max), Stream::kError, "NUMNP 2147483647 out of range 0 to", 1},
        {"NumnpNegative", model("NUMNP 8", "NUMNP -1"), Stream::kError, "NUMNP -1 out of range 0 to", 1},
        {"NintxAtMax", model("NINTX 2", "NINTX " + max, kApprox + "DYNAMICS EFG\n"),
         Stream::kOutput, "NINTX, NINTY, NINTZ (2147483647, 2, 2) must each lie in 1 to 10", 1},
        {"CopyRangeAtBothEnds", model("COPY ALL", "COPY FROMTO " + min + " " + max + " " + max), Stream::kError,
         "Node number -2147483648 out of range 1 to 8", 1},
    });
    const auto points = testing_support::runProgram(ZELK_PROGRAM, {"in.dat"},
                                                    {{"in.dat", macros("POINT INPUT p.txt\n")}, {"p.txt", max}});
    expectCase({"PointFileCountAtMax", "", Stream::kError, "Point : 2147483647 points in p.txt out of range", 1},
               points);
}

}  // namespace
