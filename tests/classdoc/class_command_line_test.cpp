// The built class program run on headers in data/: its listing, messages and
// exit status compared with expected files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "classdoc_test_support.h"

namespace classdoc::test {
namespace {

namespace fs = std::filesystem;

const fs::path kDataDir = CLASSDOC_DATA_DIR;

ClassRun runClass(const std::string& arguments) { return test::runClass(arguments, kDataDir); }

TEST(ClassProgram, AlphabeticalListingOfSeveralHeaders) {
  const ClassRun run = runClass("Stack.h shapes.h colors.h");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, readWhole(kDataDir / "expected_alphabetical.txt"));
}

// The example shown in the README.
TEST(ClassProgram, ReadmeExample) {
  const ClassRun run = runClass("queue.h");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, readWhole(kDataDir / "expected_queue.txt"));
}

TEST(ClassProgram, ByFileWithPrivateMembers) {
  const ClassRun run = runClass("-f -p Stack.h shapes.h colors.h");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, readWhole(kDataDir / "expected_by_file_private.txt"));
  // The letters may share one argument.
  EXPECT_EQ(runClass("-pf Stack.h shapes.h colors.h").out, run.out);
}

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

TEST(ClassProgram, UnreadableFileIsReportedAndTheOthersListed) {
  const ClassRun run = runClass("Missing.h Stack.h");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "Unable to read file Missing.h\n");
  EXPECT_EQ(run.out, runClass("Stack.h").out);
  EXPECT_EQ(runClass(".").status, 1);  // a directory cannot be read either
}

TEST(ClassProgram, UsageTextAndStatus) {
  const std::string usage = readWhole(kDataDir / "expected_usage.txt");
  for (const char* arguments : {"", "-x Stack.h", "-d", "-", "-dq Stack.h"}) {
    const ClassRun run = runClass(arguments);
    EXPECT_EQ(run.status, 9) << arguments;
    EXPECT_EQ(run.out, usage) << arguments;
  }
  // A lone "-" is an empty option argument: the file after it is read.
  EXPECT_EQ(runClass("- Stack.h").status, 0);
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
