#include "source_conventions.h"

#include "char_class.h"

namespace classdoc {

bool isMacroWord(std::string_view word) {
  word = word.substr(0, word.find('('));
  if (word == "alignas" || word.substr(0, 2) == "__") return !word.empty();
  bool letter = false;
  for (char c : word) {
    if (c >= 'A' && c <= 'Z')
      letter = true;
    else if (!isDigit(c) && c != '_')
      return false;
  }
  return letter;
}

CommentRole lineCommentRole(std::string_view text) {
  if (text.substr(0, 4) == "///<" || text.substr(0, 4) == "//!<") return CommentRole::kDocPrevious;
  // "////..." is a banner line, not a marker.
  if ((text.substr(0, 3) == "///" && text.substr(0, 4) != "////") || text.substr(0, 3) == "//!")
    return CommentRole::kDocNext;
  return CommentRole::kPlain;
}

CommentRole blockCommentRole(std::string_view firstLine) {
  if (firstLine.substr(0, 2) == "*<" || firstLine.substr(0, 2) == "!<") return CommentRole::kDocPrevious;
  // "/***..." is a banner line, not a marker.
  if ((firstLine.substr(0, 1) == "*" && firstLine.substr(0, 2) != "**") || firstLine.substr(0, 1) == "!")
    return CommentRole::kDocNext;
  return CommentRole::kPlain;
}

std::string docCommentText(std::string_view text, bool lineComment, bool firstLine) {
  std::size_t start = 0;
  if (lineComment) {
    start = text.size() > 3 && text[3] == '<' ? 4 : 3;
  } else if (firstLine) {
    start = text.size() > 1 && text[1] == '<' ? 2 : 1;
  } else {
    while (start < text.size() && isSpace(static_cast<unsigned char>(text[start]))) ++start;
    if (start < text.size() && text[start] == '*') ++start;
  }
  if (start < text.size() && text[start] == ' ') ++start;
  return std::string(text.substr(std::min(start, text.size())));
}

bool isLicenceBlock(const CommentList& comments) {
  for (const std::string& line : comments) {
    std::string lower;
    for (char c : line) lower += toLower(c);
    for (std::string_view word : {"copyright", "licence", "license", "spdx-"})
      if (lower.find(word) != std::string::npos) return true;
  }
  return false;
}

}  // namespace classdoc
