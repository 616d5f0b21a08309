// Runs a built program in a fresh temporary folder and collects what it did.
//
// The folder receives the given input files; the program's standard input is
// fed from the given text. The result holds the exit code, both output
// streams and every file present in the folder afterwards (inputs included),
// so that tests compare whole outputs.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace testing_support {

struct ProgramRun {
    int exitCode = -1;
    std::string standardOutput;
    std::string standardError;
    std::map<std::string, std::string> files;  // name -> contents, after the run

    // Contents of a file the run left, or "" with a test failure if missing.
    std::string file(const std::string& name) const;
    bool hasFile(const std::string& name) const { return files.count(name) != 0; }
};

// Runs `program args...` in a new temporary folder holding inputFiles.
ProgramRun runProgram(const std::string& program, const std::vector<std::string>& args,
                      const std::map<std::string, std::string>& inputFiles,
                      const std::string& standardInput = "");

// Reads a whole file; "" if it cannot be read.
std::string readWholeFile(const std::string& path);

}  // namespace testing_support
