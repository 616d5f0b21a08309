// The bad-input catalogue: table-driven end-to-end cases over a small model.
//
// Every case is a whole input file, a fragment that one output stream must
// contain and the exit code. The base model is a unit cube of 8 corner nodes
// and one background cell, small enough to run a few steps in milliseconds.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "program_run.h"

namespace catalogue {

// Lines 1-27: the model section of the unit cube, one elastic material,
// every node an evaluation point, one cell given by its corner nodes.
inline const std::string kCubeModel =
    "NDM 3\n"
    "NUMNP 8\n"
    "NUMEVPOINT 8\n"
    "NUMMAT 1\n"
    "MATERIAL\n"
    "ISOELASTIC steel 2e11 0.3 7800\n"
    "NODE\n"
    "1 0 0 0 1\n"
    "2 1 0 0 1\n"
    "3 0 1 0 1\n"
    "4 1 1 0 1\n"
    "5 0 0 1 0\n"
    "6 1 0 1 0\n"
    "7 0 1 1 0\n"
    "8 1 1 1 0\n"
    "EVPOINT\n"
    "COPY ALL steel 1\n"
    "ENDEVPOINT\n"
    "EFGDATA\n"
    "NCELL 1\n"
    "NINTX 2\n"
    "NINTY 2\n"
    "NINTZ 2\n"
    "CELL NODE\n"
    "DMCELL steel 1 2 3 4 5 6 7 8\n"
    "ENDEFG\n"
    "END\n";

// A linear approximation over all eight nodes.
inline const std::string kApprox = "MLS\nBASIS LINE\nINFLE SEL 8\n";

// The cube falling at 10 m/s for six steps of about 2e-5 s.
inline const std::string kFall = "STEPTIME CONST 0.1\nINITV 0 0 -10\nCALTIME 1e-4\n";

// text with the first occurrence of from replaced by to (the test fails if absent).
inline std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

// model + one BATCH block of the macro lines + the top-level END.
inline std::string withBatch(const std::string& model, const std::string& macros) {
    return model + "BATCH\n" + macros + "END\nEND\n";
}

enum class Stream { kOutput, kError };

struct Case {
    const char* name;
    std::string input;     // the whole in.dat
    Stream stream;         // where the fragment must appear
    std::string fragment;  // "" checks only that the stream is empty
    int exitCode;
};

inline testing_support::ProgramRun runCase(const Case& c) {
    return testing_support::runProgram(ZELK_PROGRAM, {"in.dat"}, {{"in.dat", c.input}});
}

inline void expectCase(const Case& c, const testing_support::ProgramRun& run) {
    const std::string& text = c.stream == Stream::kOutput ? run.standardOutput : run.standardError;
    EXPECT_EQ(run.exitCode, c.exitCode) << "stdout:\n" << run.standardOutput << "\nstderr:\n" << run.standardError;
    if (c.fragment.empty())
        EXPECT_EQ(text, "");
    else
        EXPECT_NE(text.find(c.fragment), std::string::npos) << "missing: " << c.fragment << "\nin:\n" << text;
}

inline void runCases(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        expectCase(c, runCase(c));
    }
}

// Location lines the reader prints after a message while reading in.dat.
inline std::string at(int line) {
    return "     File name   : in.dat\n     Line number : " + std::to_string(line) + "\n\n";
}

inline const std::string kEndOfFile = "*** Error ***: In reading file in.dat : End of file\n";

}  // namespace catalogue
