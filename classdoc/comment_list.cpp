#include "comment_list.h"

#include <iterator>

#include "char_class.h"
#include "doc_writer.h"

namespace classdoc {

void CommentList::append(CommentList& other) {
  if (&other == this) return;
  makeRoom(other.items_.size());
  items_.insert(items_.end(), std::make_move_iterator(other.items_.begin()),
                std::make_move_iterator(other.items_.end()));
  other.items_.clear();
}

namespace {
std::string_view skipSpace(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && isSpace(static_cast<unsigned char>(text[i]))) ++i;
  return text.substr(i);
}
}  // namespace

void CommentList::print(DocWriter& writer, int indent, int debugLevel, std::size_t first) const {
  if (debugLevel >= 2)
    writer.stream() << "***CommentList::print[" << static_cast<const void*>(this) << "]\n";
  for (std::size_t i = first; i < items_.size(); ++i) {
    const std::string& line = items_[i];
    if (debugLevel >= 2) writer.stream() << '[' << line << ']';
    std::string_view text = skipSpace(line);
    if (text.substr(0, 2) == "//") {
      text.remove_prefix(2);
      if (!text.empty() && isPunct(static_cast<unsigned char>(text[0]))) {
        const int underline = static_cast<unsigned char>(text[0]);
        writer.setUnderline(underline);
        writer.add(skipSpace(text.substr(1)));
        writer.emit();
        continue;
      }
      text = skipSpace(text);
    }
    writer.setIndent(indent);
    writer.add(text);
    writer.emit();
  }
}

}  // namespace classdoc
