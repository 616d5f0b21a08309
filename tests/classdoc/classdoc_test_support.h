// Helpers shared by the class program tests: scanning and parsing in memory.
#pragma once

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
  explicit ParsedHeader(std::string_view header) {
    parser_.readText(header, "t.h");
  }
  const DocItem* item(std::string_view name) const {
    for (const DocItem* item : model_.items())
      if (item->name == name) return item;
    return nullptr;
  }
  const ClassDoc& cls(std::string_view name) const {
    static const ClassDoc none;
    auto found = dynamic_cast<const ClassDoc*>(item(name));
    return found ? *found : none;
  }
  const MemberDoc* member(std::string_view className, std::string_view name) const {
    for (const auto& member : cls(className).members)
      if (member->name == name) return member.get();
    return nullptr;
  }
  const DocModel& model() const { return model_; }

 private:
  std::ostringstream out_;
  int debugLevel_ = 0;
  DocWriter writer_{out_};
  DocModel model_;
  HeaderParser parser_{model_, writer_, debugLevel_};
};

inline std::vector<std::string> lines(const CommentList& list) {
  return std::vector<std::string>(list.begin(), list.end());
}

}  // namespace classdoc::test
