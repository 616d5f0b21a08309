// DocWriter: the one line writer of the listing. A line is built with add,
// then emit writes it with its indent, a ":" for a label or an underline for a
// title. Lines are at most kMaxLineLength characters: longer text is cut there.
#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>

namespace classdoc {

constexpr std::size_t kMaxLineLength = 1023;  // characters of one output line
constexpr int kPlainStyle = 17;               // style of a plain line

/// Heading indices into the heading table.
enum Heading : int {
  kClassTitle = 0,
  kStructTitle = 1,
  kEnumTitle = 2,
  kStaticTitle = 3,
  kTypedefTitle = 4,
  kExternTitle = 5,
  kBasesTitle = 6,
  kDerivedTitle = 7,
  kMemberSection = 8,     // + access
  kInheritedSection = 11, // + access
  kMemberLabel = 13,
  kValuesTitle = 15,
};

class DocWriter {
 public:
  explicit DocWriter(std::ostream& out) : out_(out) {}
  virtual ~DocWriter();  // emits a pending line
  DocWriter(const DocWriter&) = delete;
  DocWriter& operator=(const DocWriter&) = delete;

  void add(std::string_view text);
  void setIndent(int n) { indent_ = n; }
  void setHeading(int index);
  void setUnderline(int c);
  /// Writes the include line of a header directly to the output.
  virtual void include(const std::string& fileName);
  virtual void emit();

  std::ostream& stream() { return out_; }
  const std::string& line() const { return line_; }

 private:
  std::ostream& out_;
  std::string line_;          // the line being built
  int style_ = kPlainStyle;   // 0..15 heading index, 17 plain, above 17 underline + 17
  int indent_ = 0;            // blanks before the line and its underline
};

}  // namespace classdoc
