#include "program_run.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace testing_support {

namespace fs = std::filesystem;

namespace {

void writeWholeFile(const fs::path& path, const std::string& contents) {
    std::ofstream out(path, std::ios::binary);
    out << contents;
}

std::string shellQuote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

}  // namespace

std::string readWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream contents;
    contents << in.rdbuf();
    return contents.str();
}

std::string ProgramRun::file(const std::string& name) const {
    auto found = files.find(name);
    if (found == files.end()) {
        ADD_FAILURE() << "the run left no file " << name;
        return "";
    }
    return found->second;
}

ProgramRun runProgram(const std::string& program, const std::vector<std::string>& args,
                      const std::map<std::string, std::string>& inputFiles, const std::string& standardInput) {
    std::string pattern = (fs::temp_directory_path() / "zelk-run-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        ADD_FAILURE() << "cannot create a temporary folder";
        return {};
    }
    const fs::path folder = pattern;
    // The harness's own files live one level up so that they never show among the outputs.
    const fs::path work = folder / "work";
    fs::create_directory(work);
    for (const auto& [name, contents] : inputFiles) writeWholeFile(work / name, contents);
    writeWholeFile(folder / "stdin", standardInput);

    // Appended piece by piece: g++ 12 gives a false -Wrestrict for "literal" + std::string here.
    std::string command = "cd ";
    command.append(shellQuote(work.string())).append(" && ").append(shellQuote(program));
    for (const std::string& arg : args) command.append(" ").append(shellQuote(arg));
    command += " < ../stdin > ../stdout 2> ../stderr";
    int status = std::system(command.c_str());

    ProgramRun run;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    run.standardOutput = readWholeFile((folder / "stdout").string());
    run.standardError = readWholeFile((folder / "stderr").string());
    for (const auto& entry : fs::directory_iterator(work))
        if (entry.is_regular_file())
            run.files[entry.path().filename().string()] = readWholeFile(entry.path().string());
    fs::remove_all(folder);
    return run;
}

}  // namespace testing_support
