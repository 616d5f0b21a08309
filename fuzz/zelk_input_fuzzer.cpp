// Feeds arbitrary input files through the whole solver: reader, model
// section, macro blocks and the POINT INPUT file.
//
// The fuzz input is one input file; a line "@@POINTS@@" splits off the text
// of a second file, "points.txt", for POINT INPUT. Fatal input errors end a
// run by zelk::FatalExit, so the process survives them and goes on fuzzing.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <streambuf>
#include <string>

#include "driver/entry.h"
#include "input/fatal_exit.h"

namespace {

// Swallows everything written to it.
class NullBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return c; }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

// The solver writes its files into the working folder; the fuzzer keeps its
// corpus under paths relative to the folder it started in. So every run goes
// into a scratch folder and comes back afterwards.
class ScratchFolder {
public:
    ScratchFolder() {
        char folder[] = "/tmp/zelk-fuzz-XXXXXX";
        if (mkdtemp(folder) == nullptr || getcwd(home_, sizeof home_) == nullptr) std::abort();
        scratch_ = folder;
    }
    void enter() const {
        if (chdir(scratch_.c_str()) != 0) std::abort();
    }
    void leave() const {
        if (chdir(home_) != 0) std::abort();
    }

private:
    std::string scratch_;
    char home_[4096];
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static NullBuffer sink;
    static const ScratchFolder scratch;
    static const bool silenced = [] {
        std::cout.rdbuf(&sink);
        std::cerr.rdbuf(&sink);
        return true;
    }();
    (void)silenced;
    scratch.enter();

    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string marker = "@@POINTS@@\n";
    const std::size_t split = text.find(marker);
    std::ofstream("in.dat", std::ios::binary) << text.substr(0, split);
    std::ofstream("points.txt", std::ios::binary)
        << (split == std::string::npos ? std::string() : text.substr(split + marker.size()));

    std::istringstream console("");  // the console is empty: INTERACTIVE ends at once
    std::streambuf* savedInput = std::cin.rdbuf(console.rdbuf());
    const char* argv[] = {"ZELK", "in.dat"};
    try {
        zelk::runSolver(2, argv);
    } catch (const zelk::FatalExit&) {
    }
    std::cin.rdbuf(savedInput);
    scratch.leave();
    return 0;
}
