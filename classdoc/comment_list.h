// CommentList: the comment lines that document one item or member, each line
// an owned copy.
#pragma once

#include <string>
#include <string_view>

#include "ptr_list.h"

namespace classdoc {

class DocWriter;

class CommentList : public GrowableList<std::string> {
 public:
  using GrowableList::GrowableList;
  /// Stores the text up to its first newline.
  void append(std::string_view text) { GrowableList::append(std::string(text.substr(0, text.find('\n')))); }
  /// Moves every line of `other` to the end of this list; `other` is left empty.
  void append(CommentList& other);
  /// Frees all lines.
  void zero() { items_.clear(); }
  /// Prints the lines as descriptive text: "//" is dropped, and a line whose
  /// text starts with punctuation becomes a title underlined with it. Lines
  /// before `first` are left out.
  void print(DocWriter& writer, int indent, int debugLevel, std::size_t first = 0) const;
};

}  // namespace classdoc
