// Whole runs written as text: every data/cases/*.cases file is one test, each
// of its cases a run of ZELK (or class) in a fresh folder. A file reads:
//
//   define cube        a named text; a block line "@cube" pastes it, and a block
//                      line "@FILE" the file of that path from data/cases
//   case NAME          starts a case; the lines below until the next case belong to it
//   args a.dat b.dat   command line (default: in.dat); "program class" runs class
//   in in.dat          an input file: the block of lines that follows
//   console            standard input: the block that follows
//   exit 1             the exit code the run must end with (default 0)
//   stdout / stderr / file NAME         the block is the whole text, exactly
//   stdout has / stderr has / file NAME has   the block is part of it
//   file NAME as CASE  the file is the same as the one an earlier case left
//   stdout as CASE     the same as the standard output of an earlier case (stderr too)
//   no file NAME       the run must not leave that file
//   cut                runs in.dat cut short at every line end, the whole file excepted
//
// Block lines start with '|' (the rest of the line and a newline) or '~' (the
// rest without the newline). "{max Node}" and the like stand for the largest
// count of a model table. Lines starting with '#' are comments.
// After a change of wording, scripts/update-cases.py rewrites the exact blocks.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

#include "model/model.h"
#include "program_run.h"

namespace {

namespace fs = std::filesystem;
using testing_support::ProgramRun;

enum class Mode { kExact, kHas, kAs, kAbsent };

struct Check {
    std::string what;  // "stdout", "stderr" or a file name
    Mode mode;
    std::string text;  // the expected text, or for kAs the earlier case
};

struct Case {
    std::string name, program = ZELK_PROGRAM, console;
    std::vector<std::string> args{"in.dat"};
    std::map<std::string, std::string> inputs;
    int exitCode = 0;
    std::vector<Check> checks;
    bool everyCut = false;  // run in.dat cut short at every line end instead
};

std::string withLimits(std::string text) {
    const std::pair<const char*, int> limits[] = {
        {"{max Node}", zelk::maxTableCount<zelk::Node>()},
        {"{max Material}", zelk::maxTableCount<zelk::Material>()},
        {"{max NodalBC}", zelk::maxTableCount<zelk::NodalBC>()},
        {"{max SideDomain}", zelk::maxTableCount<zelk::SideDomain>()},
        {"{max Cell}", zelk::maxTableCount<zelk::Cell>()},
        {"{max SideLoadEntry}", zelk::maxTableCount<zelk::SideLoadEntry>()}};
    for (const auto& [name, value] : limits)
        for (std::size_t at; (at = text.find(name)) != std::string::npos;) text.replace(at, std::string(name).size(), std::to_string(value));
    return text;
}

std::vector<Case> readCases(const fs::path& path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    std::map<std::string, std::string> defines;
    std::vector<Case> cases;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::istringstream words(lines[i]);
        const std::vector<std::string> w{std::istream_iterator<std::string>(words), {}};
        if (w.empty() || w[0][0] == '#') continue;
        std::string block;  // the block lines that follow
        for (; i + 1 < lines.size() && (lines[i + 1].starts_with('|') || lines[i + 1].starts_with('~')); ++i) {
            const std::string& b = lines[i + 1];
            const std::string name = b.size() > 2 && b[1] == '@' ? b.substr(2) : "";
            if (!name.empty() && !defines.count(name) && fs::is_regular_file(path.parent_path() / name))
                defines[name] = testing_support::readWholeFile((path.parent_path() / name).string());
            block += defines.count(name) ? defines[name] : b.substr(1) + (b[0] == '|' ? "\n" : "");
        }
        const std::string& key = w[0];
        const std::string word = w.size() > 1 ? w[1] : "";
        if (key == "define") defines[word] = block;
        if (key == "case") cases.emplace_back().name = word;
        if (key == "define" || key == "case") continue;
        if (cases.empty()) {
            ADD_FAILURE() << path << ": " << lines[i] << " before the first case";
            continue;
        }
        Case& c = cases.back();
        const std::size_t at = key == "file" ? 2 : 1;  // the word after what is checked
        const std::string mode = w.size() > at ? w[at] : "";
        if (key == "args") {
            c.args.assign(w.begin() + 1, w.end());
        } else if (key == "program") {
            c.program = word == "class" ? CLASS_PROGRAM : ZELK_PROGRAM;
        } else if (key == "in") {
            c.inputs[word] = block;
        } else if (key == "console") {
            c.console = block;
        } else if (key == "exit") {
            c.exitCode = std::stoi(word);
        } else if (key == "cut") {
            c.everyCut = true;
        } else if (key == "no" && word == "file" && w.size() == 3) {
            c.checks.push_back({w[2], Mode::kAbsent, ""});
        } else if ((key == "stdout" || key == "stderr" || key == "file") && mode == "as" && w.size() == at + 2) {
            c.checks.push_back({key == "file" ? word : key, Mode::kAs, w[at + 1]});
        } else if ((key == "stdout" || key == "stderr" || key == "file") && (mode == "" || mode == "has")) {
            c.checks.push_back({key == "file" ? word : key, mode == "has" ? Mode::kHas : Mode::kExact, withLimits(block)});
        } else {
            ADD_FAILURE() << path << ": unknown line " << lines[i];
        }
    }
    return cases;
}

std::vector<std::string> caseFiles() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(TEST_DATA_DIR "/cases"))
        if (entry.path().extension() == ".cases") names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string textOf(const ProgramRun& run, const std::string& what) {
    return what == "stdout" ? run.standardOutput : what == "stderr" ? run.standardError : run.file(what);
}

void expectRun(const Case& c, const ProgramRun& run, const std::map<std::string, ProgramRun>& earlier) {
    EXPECT_EQ(run.exitCode, c.exitCode) << "stdout:\n" << run.standardOutput << "\nstderr:\n" << run.standardError;
    for (const Check& check : c.checks) {
        if (check.mode == Mode::kAbsent) {
            EXPECT_FALSE(run.hasFile(check.what)) << check.what;
            continue;
        }
        const std::string got = textOf(run, check.what);
        if (check.mode == Mode::kAs)
            EXPECT_EQ(got, textOf(earlier.at(check.text), check.what)) << check.what << " differs from " << check.text;
        else if (check.mode == Mode::kHas)
            EXPECT_NE(got.find(check.text), std::string::npos) << check.what << " lacks:\n" << check.text << "\nin:\n" << got;
        else
            EXPECT_EQ(got, check.text) << check.what;
    }
}

class CaseFile : public testing::TestWithParam<std::string> {};

TEST_P(CaseFile, EveryRunGivesWhatItsCaseSays) {
    const std::vector<Case> cases = readCases(fs::path(TEST_DATA_DIR "/cases") / (GetParam() + ".cases"));
    ASSERT_FALSE(cases.empty());
    std::map<std::string, ProgramRun> runs;
    const auto run = [](const Case& c) { return testing_support::runProgram(c.program, c.args, c.inputs, c.console); };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (!c.everyCut) {
            expectRun(c, runs[c.name] = run(c), runs);
            continue;
        }
        const std::string whole = c.inputs.at("in.dat");
        for (std::size_t end = 0, kept = 0; (kept == 0 || end != 0) && end < whole.size(); end = whole.find('\n', end) + 1, ++kept) {
            SCOPED_TRACE("lines kept: " + std::to_string(kept));
            Case cut = c;
            cut.inputs["in.dat"] = whole.substr(0, end);
            expectRun(cut, run(cut), runs);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, CaseFile, testing::ValuesIn(caseFiles()),
                         [](const testing::TestParamInfo<std::string>& info) { return info.param; });

}  // namespace
