// The built class program on a header with CRLF line ends and with debug
// traces (its other runs are in tests/e2e/data/cases/class_program.cases).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "classdoc_test_support.h"

namespace classdoc::test {
namespace {

namespace fs = std::filesystem;

const fs::path kDataDir = TEST_DATA_DIR;

ClassRun runClass(const std::string& arguments) { return test::runClass(arguments, kDataDir); }

TEST(ClassProgram, CrlfHeaderGivesTheSameListing) {
  const fs::path dir = fs::temp_directory_path() / ("classdoc_crlf_" + std::to_string(getpid()));
  fs::create_directories(dir);
  std::string text = readWhole(kDataDir / "Stack.h"), crlf;
  for (char c : text) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  std::ofstream(dir / "Stack.h", std::ios::binary) << crlf;
  const ClassRun run = test::runClass("Stack.h", dir);
  fs::remove_all(dir);
  EXPECT_EQ(run.out, runClass("Stack.h").out);
}

TEST(ClassProgram, DebugTracesComeBeforeTheListing) {
  const ClassRun run = runClass("-dd colors.h");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out.rfind("*** readfile colors.h\n", 0), 0u);
  EXPECT_NE(run.out.find("-100.name:RED\n"), std::string::npos);
  // The listing itself is printed without traces.
  const std::string listing = runClass("colors.h").out;
  EXPECT_EQ(run.out.substr(run.out.size() - listing.size()), listing);
}

}  // namespace
}  // namespace classdoc::test
