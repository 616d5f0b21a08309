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
#include <map>
#include <sstream>

#include "model/model.h"
#include "program_run.h"

namespace {

namespace fs = std::filesystem;

struct Check {
    std::string what;  // "stdout", "stderr" or a file name
    bool part;         // the text need only appear in it
    std::string text;
    bool absent = false;  // the file must not exist
    std::string sameAs;   // the case whose file this one must equal
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
        std::string head, word, rest;
        words >> head >> word;
        std::getline(words >> std::ws, rest);
        if (head.empty() || head[0] == '#') continue;
        std::string block;  // the block lines that follow
        for (; i + 1 < lines.size() && (lines[i + 1].starts_with('|') || lines[i + 1].starts_with('~')); ++i) {
            const std::string& b = lines[i + 1];
            const std::string name = b.size() > 2 && b[1] == '@' ? b.substr(2) : "";
            if (!name.empty() && !defines.count(name) && fs::is_regular_file(path.parent_path() / name))
                defines[name] = testing_support::readWholeFile((path.parent_path() / name).string());
            block += defines.count(name) ? defines[name] : b.substr(1) + (b[0] == '|' ? "\n" : "");
        }
        if (head == "define") {
            defines[word] = block;
            continue;
        }
        if (head == "case") {
            cases.push_back({});
            cases.back().name = word;
            continue;
        }
        if (cases.empty()) ADD_FAILURE() << path << ": " << lines[i] << " before the first case";
        if (cases.empty()) continue;
        Case& c = cases.back();
        if (head == "args") {
            c.args.clear();
            std::istringstream all(lines[i].substr(4));
            for (std::string a; all >> a;) c.args.push_back(a);
        } else if (head == "program") {
            c.program = word == "class" ? CLASS_PROGRAM : ZELK_PROGRAM;
        } else if (head == "in") {
            c.inputs[word] = block;
        } else if (head == "console") {
            c.console = block;
        } else if (head == "exit") {
            c.exitCode = std::stoi(word);
        } else if ((head == "stdout" || head == "stderr") && word == "as") {
            c.checks.push_back({head, false, "", false, rest});
        } else if (head == "stdout" || head == "stderr") {
            c.checks.push_back({head, word == "has", withLimits(block), false, ""});
        } else if (head == "file" && rest.starts_with("as ")) {
            c.checks.push_back({word, false, "", false, rest.substr(3)});
        } else if (head == "file") {
            c.checks.push_back({word, rest == "has", withLimits(block), false, ""});
        } else if (head == "cut") {
            c.everyCut = true;
        } else if (head == "no" && word == "file") {
            c.checks.push_back({rest, false, "", true, ""});
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

class CaseFile : public testing::TestWithParam<std::string> {};

using Runs = std::map<std::string, testing_support::ProgramRun>;

std::string textOf(const testing_support::ProgramRun& run, const std::string& what) {
    return what == "stdout" ? run.standardOutput : what == "stderr" ? run.standardError : run.file(what);
}

void expectRun(const Case& c, const testing_support::ProgramRun& run, const Runs& earlier) {
    EXPECT_EQ(run.exitCode, c.exitCode) << "stdout:\n" << run.standardOutput << "\nstderr:\n" << run.standardError;
    for (const Check& check : c.checks) {
        if (check.absent) {
            EXPECT_FALSE(run.hasFile(check.what)) << check.what;
            continue;
        }
        const std::string got = textOf(run, check.what);
        if (!check.sameAs.empty())
            EXPECT_EQ(got, textOf(earlier.at(check.sameAs), check.what)) << check.what << " differs from " << check.sameAs;
        else if (check.part)
            EXPECT_NE(got.find(check.text), std::string::npos) << check.what << " lacks:\n" << check.text << "\nin:\n" << got;
        else
            EXPECT_EQ(got, check.text) << check.what;
    }
}

TEST_P(CaseFile, EveryRunGivesWhatItsCaseSays) {
    const std::vector<Case> cases = readCases(fs::path(TEST_DATA_DIR "/cases") / (GetParam() + ".cases"));
    ASSERT_FALSE(cases.empty());
    Runs runs;
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
