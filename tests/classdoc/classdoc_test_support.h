// Helpers shared by the class program tests: scanning, parsing and listing in memory,
// running the built program, and the pieces its listings are made of.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "class_tool.h"
#include "doc_model.h"
#include "header_scanner.h"
#include "tokens.h"

namespace classdoc::test {

using Token = std::pair<int, std::string>;

// Every token of `text` up to the end, with nextToken.
inline std::vector<Token> scanAll(std::string_view text) {
  std::ostringstream trace;
  int debugLevel = 0;
  HeaderScanner scanner(trace, debugLevel);
  scanner.openText(text, "t.h");
  std::vector<Token> tokens;
  for (int type = scanner.nextToken(); type != kEndOfFile; type = scanner.nextToken())
    tokens.emplace_back(type, scanner.currentText());
  return tokens;
}

// The listing the program prints for one header held in memory.
inline std::string listingOf(std::string_view header, ClassToolOptions options = {}) {
  std::ostringstream out;
  {
    ClassTool tool(options, out);
    tool.readText(header, "t.h");
    tool.printAll();
  }
  return out.str();
}

// A header parsed into a model that the test can inspect.
class ParsedHeader {
 public:
  explicit ParsedHeader(std::string_view header) { parser_.readText(header, "t.h"); }
  const DocModel& model() const { return model_; }

 private:
  std::ostringstream out_;
  int debugLevel_ = 0;
  DocWriter writer_{out_};
  DocModel model_;
  HeaderParser parser_{model_, writer_, debugLevel_};
};

// ---- The built program ----------------------------------------------------

inline std::string readWhole(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

struct ClassRun {
  int status;
  std::string out;
  std::string err;
};

// Runs class with `arguments` in folder `dir`, under a time limit.
inline ClassRun runClass(const std::string& arguments, const std::filesystem::path& dir) {
  namespace fs = std::filesystem;
  const fs::path scratch = fs::temp_directory_path() / ("classdoc_run_" + std::to_string(getpid()));
  fs::create_directories(scratch);
  const fs::path out = scratch / "out.txt", err = scratch / "err.txt";
  const std::string command = "cd '" + dir.string() + "' && timeout -k 5 60 '" CLASS_PROGRAM "' " + arguments +
                              " > '" + out.string() + "' 2> '" + err.string() + "'";
  const int raw = std::system(command.c_str());
  ClassRun result{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readWhole(out), readWhole(err)};
  fs::remove_all(scratch);
  return result;
}

// Runs class on `text` written as the file `name` into a folder of its own.
inline ClassRun runOnHeader(const std::string& text, const std::string& name = "h.h") {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("classdoc_header_" + std::to_string(getpid()));
  fs::create_directories(dir);
  std::ofstream(dir / name, std::ios::binary) << text;
  const ClassRun run = runClass(name, dir);
  fs::remove_all(dir);
  return run;
}

// ---- Listing fragments ----------------------------------------------------

// A heading with its underline of `mark` characters.
inline std::string heading(const std::string& title, char mark = '-') {
  return title + "\n" + std::string(title.size(), mark) + "\n";
}

// The listing of one class from file: its title block, then `body`.
inline std::string classBlock(const std::string& name, const std::string& body, const std::string& file = "h.h") {
  // Appended piece by piece: g++ 12 gives a false -Wrestrict for "literal" + std::string&&.
  std::string block = "\n";
  block.append(heading("class " + name, '=')).append("#include \"").append(file).append("\"\n\n").append(body);
  return block;
}

// A Public Members section of plain declarations, given as {name, declaration}.
inline std::string publicMembers(const std::vector<std::pair<std::string, std::string>>& members) {
  std::string text = heading("Public Members");
  for (const auto& [name, declaration] : members) text += name + ":\n    " + declaration + "\n";
  return text + "\n";
}

// A class with one public int member.
inline std::string classWithInt(const std::string& name, const std::string& member) {
  return classBlock(name, publicMembers({{member, "int " + member}}));
}

}  // namespace classdoc::test
