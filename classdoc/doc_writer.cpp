#include "doc_writer.h"

namespace classdoc {

namespace {
// Heading table: a character underlines a title, zero marks a label.
constexpr char kHeadingTable[16] = {'=', '=', '=', '=', '=', '=', '-', '-',
                                    '-', '-', '-', '-', '-', 0,   0,   '-'};
}  // namespace

DocWriter::~DocWriter() {
  if (!line_.empty()) emit();
}

void DocWriter::add(std::string_view text) {
  std::size_t room = kMaxLineLength - line_.size();
  line_.append(text.substr(0, room));
}

void DocWriter::setHeading(int index) {
  if (index < 0 || index > 15) return;
  if (kHeadingTable[index] != 0) emit();
  style_ = index;
}

void DocWriter::setUnderline(int c) {
  emit();
  style_ = (c & 0xFF) + kPlainStyle;
}

void DocWriter::include(const std::string& fileName) {
  out_ << "#include \"" << fileName << "\"\n";
}

void DocWriter::emit() {
  const std::string blanks(indent_ > 0 ? indent_ : 0, ' ');
  out_ << blanks << line_;
  if (style_ < 16) {
    if (kHeadingTable[style_] == 0)
      out_ << ':';
    else
      style_ = kHeadingTable[style_] + kPlainStyle;
  }
  if (style_ > kPlainStyle)
    out_ << '\n' << blanks << std::string(line_.size(), static_cast<char>(style_ - kPlainStyle));
  out_ << '\n';
  out_.flush();
  style_ = kPlainStyle;
  indent_ = 0;
  line_.clear();
}

}  // namespace classdoc
