#include "class_tool.h"

#include <new>

#include "char_class.h"
#include "doc_printer.h"
#include "fatal_exit.h"

namespace classdoc {

void printUsage(std::ostream& out) {
  out << "Class - extract documentation from class header files\n"
         "Usage :-\n"
         "class [-options] <file name> ...\n"
         "Options are :-\n"
         "-f     Keep classes in the same file together\n"
         "       Default is to sort in alphabetical order\n"
         "-d     Debugging output - more d's = more output\n"
         "-p     Print all private members\n";
}

ClassTool::ClassTool(const ClassToolOptions& options, std::ostream& out)
    : options_(options),
      debugLevel_(options.debugLevel),
      writer_(out),
      parser_(model_, writer_, debugLevel_) {}

bool ClassTool::readFile(const std::string& name) {
  std::string shown = name;
  for (char& c : shown) c = toLower(c);
  return parser_.readfile(name, shown);
}

void ClassTool::readText(std::string_view text, const std::string& shownName) {
  parser_.readText(text, shownName);
}

void ClassTool::printAll() {
  debugLevel_ = 0;
  DocPrinter printer(writer_, options_.printPrivate);
  printer.printAll(model_, options_.sortAlphabetical);
}

int runClassTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  ClassToolOptions options;
  std::size_t first = 0;
  for (; first < args.size() && !args[first].empty() && args[first][0] == '-'; ++first) {
    for (char letter : std::string_view(args[first]).substr(1)) {
      if (letter == 'd') {
        ++options.debugLevel;
      } else if (letter == 'f') {
        options.sortAlphabetical = false;
      } else if (letter == 'p') {
        options.printPrivate = true;
      } else {
        printUsage(out);
        return kUsageExitStatus;
      }
    }
  }
  if (first == args.size()) {
    printUsage(out);
    return kUsageExitStatus;
  }
  try {
    ClassTool tool(options, out);
    int status = 0;
    for (std::size_t i = first; i < args.size(); ++i) {
      if (!tool.readFile(args[i])) {
        // Named as given, since that is the name that could not be opened.
        err << "Unable to read file " << args[i] << '\n';
        status = 1;
      }
    }
    tool.printAll();
    return status;
  } catch (const FatalExit& fatal) {
    out.flush();
    err << fatal.message << '\n';
    return fatal.exitCode;
  } catch (const std::bad_alloc&) {
    out.flush();
    err << "*** Error *** Out of memory\n";
    return 1;
  }
}

}  // namespace classdoc
