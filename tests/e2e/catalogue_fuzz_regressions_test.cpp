// Every input kept under fuzz/regressions (crashes and hangs found by fuzzing,
// and hand-made nasty inputs) must end cleanly: exit code 0 or 1, no signal,
// within a time limit.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "program_run.h"

namespace {

namespace fs = std::filesystem;
using testing_support::readWholeFile;
using testing_support::runProgram;

const fs::path kRegressions = fs::path(EXAMPLES_DIR) / ".." / "fuzz" / "regressions";

// The files of one folder, sorted, optionally only those with the extension.
std::vector<fs::path> inputsIn(const fs::path& folder, const std::string& extension = "") {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.is_regular_file() && (extension.empty() || entry.path().extension() == extension))
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

// Runs program on the file under a time limit; 124 from timeout means a hang.
int cleanEnd(const std::string& program, const fs::path& input, const std::string& name) {
    const auto run = runProgram("timeout", {"-k", "5", "120", program, name}, {{name, readWholeFile(input.string())}});
    return run.exitCode;
}

TEST(CatalogueFuzzRegressions, EverySolverInputEndsCleanly) {
    const auto inputs = inputsIn(kRegressions / "zelk", ".dat");
    EXPECT_GE(inputs.size(), 5u);
    for (const fs::path& input : inputs) {
        SCOPED_TRACE(input.filename().string());
        const int code = cleanEnd(ZELK_PROGRAM, input, "in.dat");
        EXPECT_TRUE(code == 0 || code == 1) << "exit code " << code;
    }
}

TEST(CatalogueFuzzRegressions, EveryHeaderEndsCleanly) {
    const auto inputs = inputsIn(kRegressions / "class");
    EXPECT_GE(inputs.size(), 5u);
    for (const fs::path& input : inputs) {
        SCOPED_TRACE(input.filename().string());
        // Malformed headers are no error for the lister.
        EXPECT_EQ(cleanEnd(CLASS_PROGRAM, input, "in.h"), 0);
    }
}

}  // namespace
