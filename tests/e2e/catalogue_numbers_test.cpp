// Number fields that would convert to nan or infinity. A value beyond a double
// is an input error; the texts nan and inf are not numbers: as the first field
// of a line they get the reader's warning and the line is skipped, later on a
// line they convert to 0 like any other text without a leading number.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue_cases.h"

namespace {

using namespace catalogue;

// The cube with node 5's line replaced; node 5 is on line 12.
std::string nodeFive(const std::string& line) { return replaced(kCubeModel, "5 0 0 1 0\n", line); }

std::vector<Case> numberCases() {
    const std::string end = "END\nEND\n";  // no macro block: the model is only read
    return {
        {"CoordinateBeyondADouble", nodeFive("5 0 1e999 1 0\n") + end, Stream::kError,
         "*** Error *** Number out of range 1e999\n" + at(12), 1},
        {"CalTimeBeyondADouble", withBatch(kCubeModel, kApprox + "DYNAMICS PIEFG\nSTEPTIME CONST 0.1\nCALTIME 1e999\n"),
         Stream::kError, "*** Error *** Number out of range 1e999\n" + at(34), 1},
        {"IntegerBeyondAnInt", "NDM 3\nNUMNP 2\nNODE\n1 0 0 0 4294967297\n", Stream::kError,
         "*** Error *** Number out of range 4294967297\n" + at(4), 1},
        // Inside a line nan and inf are texts without a leading number: 0.
        {"NanInsideALineIsZero", nodeFive("5 0 nan 1 0\n") + end, Stream::kError, "", 0},
        // A line starting with nan is skipped with the warning; node 5 comes from the next line.
        {"NanFirstOnALineIsSkipped", nodeFive("nan 0 0 1 0\n5 0 0 1 0\n") + end, Stream::kError,
         " *** Warning *** Non Numeric Field nan\n" + at(12), 0},
        {"InfinityFirstOnALineIsSkipped",
         withBatch(kCubeModel, kApprox + "DYNAMICS PIEFG\nSTEPTIME CONST\nInfinity\n0.1\n" + kFall.substr(kFall.find("INITV"))),
         Stream::kError, " *** Warning *** Non Numeric Field Infinity\n" + at(34), 0},
    };
}

TEST(CatalogueNumbers, NonFiniteNumbers) { runCases(numberCases()); }

// The run with nan inside a node line uses 0, the same as writing 0.
TEST(CatalogueNumbers, NanInsideALineGivesTheSameRunAsZero) {
    const std::string macros = kApprox + "DYNAMICS PIEFG\n" + kFall;
    const auto withNan = runCase({"", withBatch(nodeFive("5 nan 0 1 0\n"), macros),
                                  Stream::kError, "", 0});
    const auto withZero = runCase({"", withBatch(kCubeModel, macros), Stream::kError, "", 0});
    ASSERT_EQ(withNan.exitCode, 0);
    EXPECT_EQ(withNan.file("End_y.txt"), withZero.file("End_y.txt"));
    EXPECT_EQ(withNan.file("End_y.txt").find("nan"), std::string::npos);
}

}  // namespace
