// The built class program run on headers in data/: its listing, messages and
// exit status compared with expected files.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

const fs::path kDataDir = CLASSDOC_DATA_DIR;

std::string readWhole(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

struct RunResult {
  int status;
  std::string out;
  std::string err;
};

// Runs class with `arguments` in directory `dir`.
RunResult runClass(const std::string& arguments, const fs::path& dir = kDataDir) {
  const fs::path scratch = fs::temp_directory_path() / ("classdoc_e2e_" + std::to_string(getpid()));
  fs::create_directories(scratch);
  const fs::path out = scratch / "out.txt", err = scratch / "err.txt";
  const std::string command = "cd '" + dir.string() + "' && '" CLASS_PROGRAM "' " + arguments +
                              " > '" + out.string() + "' 2> '" + err.string() + "'";
  const int raw = std::system(command.c_str());
  RunResult result{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readWhole(out), readWhole(err)};
  fs::remove_all(scratch);
  return result;
}

TEST(ClassProgram, AlphabeticalListingOfSeveralHeaders) {
  const RunResult run = runClass("Stack.h shapes.h colors.h");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, readWhole(kDataDir / "expected_alphabetical.txt"));
}

// The example shown in the README.
TEST(ClassProgram, ReadmeExample) {
  const RunResult run = runClass("queue.h");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, readWhole(kDataDir / "expected_queue.txt"));
}

TEST(ClassProgram, ByFileWithPrivateMembers) {
  const RunResult run = runClass("-f -p Stack.h shapes.h colors.h");
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
  const RunResult run = runClass("Stack.h", dir);
  fs::remove_all(dir);
  EXPECT_EQ(run.out, runClass("Stack.h").out);
}

TEST(ClassProgram, UnreadableFileIsReportedAndTheOthersListed) {
  const RunResult run = runClass("Missing.h Stack.h");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "Unable to read file Missing.h\n");
  EXPECT_EQ(run.out, runClass("Stack.h").out);
  EXPECT_EQ(runClass(".").status, 1);  // a directory cannot be read either
}

TEST(ClassProgram, UsageTextAndStatus) {
  const std::string usage = readWhole(kDataDir / "expected_usage.txt");
  for (const char* arguments : {"", "-x Stack.h", "-d", "-", "-dq Stack.h"}) {
    const RunResult run = runClass(arguments);
    EXPECT_EQ(run.status, 9) << arguments;
    EXPECT_EQ(run.out, usage) << arguments;
  }
  // A lone "-" is an empty option argument: the file after it is read.
  EXPECT_EQ(runClass("- Stack.h").status, 0);
}

TEST(ClassProgram, DebugTracesComeBeforeTheListing) {
  const RunResult run = runClass("-dd colors.h");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out.rfind("*** readfile colors.h\n", 0), 0u);
  EXPECT_NE(run.out.find("-100.name:RED\n"), std::string::npos);
  // The listing itself is printed without traces.
  const std::string listing = runClass("colors.h").out;
  EXPECT_EQ(run.out.substr(run.out.size() - listing.size()), listing);
}

}  // namespace
