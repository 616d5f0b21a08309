// The class program without its process: options, reading of every header,
// sorting and printing. main is a thin wrapper over runClassTool, so the whole
// program can run in-process (tests, fuzzing) without ever exiting.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "doc_model.h"
#include "doc_writer.h"
#include "header_parser.h"

namespace classdoc {

struct ClassToolOptions {
  int debugLevel = 0;            // number of "d" letters: trace output while parsing
  bool printPrivate = false;     // "p": private members are listed too
  bool sortAlphabetical = true;  // false with "f": by file and line
};

/// Exit status for a wrong command line.
constexpr int kUsageExitStatus = 9;

void printUsage(std::ostream& out);

/// Runs the program on `args` (the arguments after the program name): the
/// listing and traces go to `out`, messages to `err`; the result is the exit
/// status (0, 1 when a file could not be read or on a fatal error, 9 for usage).
int runClassTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

/// One run of the extractor: read headers, then print them all.
class ClassTool {
 public:
  ClassTool(const ClassToolOptions& options, std::ostream& out);

  /// Reads the file opened under `name`; its items show the name in lower case.
  /// False when it cannot be read.
  bool readFile(const std::string& name);
  /// Reads a header held in memory.
  void readText(std::string_view text, const std::string& shownName);
  /// Turns the traces off, sorts every item and prints it.
  void printAll();

 private:
  ClassToolOptions options_;
  int debugLevel_;
  DocWriter writer_;
  DocModel model_;
  HeaderParser parser_;
};

}  // namespace classdoc
