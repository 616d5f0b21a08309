#include "header_scanner.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "char_class.h"
#include "tokens.h"

namespace classdoc {

HeaderScanner::HeaderScanner(std::ostream& trace, const int& debugLevel)
    : trace_(trace), debugLevel_(debugLevel) {}

void HeaderScanner::reset(const std::string& shownName) {
  charPushback_.clear();
  line_ = 1;
  previousText_.clear();
  currentText_.clear();
  savedText_.clear();
  whitespace_.clear();
  inBlockComment_ = false;
  type_ = previousType_ = pushedType_ = -1;
  opensComment_ = previousOpens_ = pushedOpens_ = false;
  fileName_ = shownName;
}

bool HeaderScanner::open(const std::string& openName, const std::string& shownName) {
  close();
  std::error_code error;
  // A directory opens as a stream on some systems but cannot be read.
  if (openName.empty() || std::filesystem::is_directory(openName, error)) {
    reset("");
    return false;
  }
  // Binary, so that line ends and byte values are handled here alike everywhere.
  auto file = std::make_unique<std::ifstream>(openName, std::ios::binary);
  if (!*file) {
    reset("");
    return false;
  }
  input_ = std::move(file);
  reset(shownName);
  return true;
}

void HeaderScanner::openText(std::string_view text, const std::string& shownName) {
  close();
  input_ = std::make_unique<std::istringstream>(std::string(text), std::ios::binary);
  reset(shownName);
}

void HeaderScanner::close() {
  if (!input_) return;
  input_.reset();
  line_ = 0;
  fileName_.clear();
}

bool HeaderScanner::streamFailed() const { return !input_ || input_->fail(); }

int HeaderScanner::readChar() {
  if (!input_) return -1;
  int c;
  if (!charPushback_.empty()) {
    c = charPushback_.back();
    charPushback_.pop_back();
  } else if (input_->fail()) {
    c = -1;
  } else {
    c = input_->get();  // 0..255, so a byte 0xFF is text
    if (c == std::char_traits<char>::eof()) {
      c = -1;
    } else if (c == '\r' && input_->peek() == '\n') {
      c = input_->get();  // CRLF reads as one newline
    }
  }
  if (debugLevel_ >= 5) {
    if (c == -1)
      trace_ << " flags=" << static_cast<int>(input_->rdstate()) << ' ';
    else
      trace_ << '[' << c << ']';
  }
  if (c == '\n') ++line_;
  return c;
}

void HeaderScanner::unreadChar(int c) {
  if (c == -1 || !input_) return;
  if (debugLevel_ >= 5) trace_ << '(' << c << ')';
  if (c == '\n') --line_;
  charPushback_.push_back(c);
}

void HeaderScanner::store(int c) {
  if (writeCursor_) writeCursor_->push_back(static_cast<char>(c));
}

void HeaderScanner::unstore() {
  if (writeCursor_ && !writeCursor_->empty()) writeCursor_->pop_back();
}

int HeaderScanner::nextToken() {
  if (!currentText_.empty()) previousText_ = currentText_;
  writeCursor_ = &currentText_;
  previousType_ = type_;
  previousOpens_ = opensComment_;
  opensComment_ = false;
  if (!input_) {
    currentText_.clear();
    type_ = -1;
  } else if (pushedType_ != -1) {
    // A pushed-back token is returned even when the stream has reached its end.
    type_ = pushedType_;
    opensComment_ = pushedOpens_;
    currentText_ = savedText_;
    pushedType_ = -1;
  } else if (streamFailed() && charPushback_.empty()) {
    currentText_.clear();
    type_ = -1;
  } else if (inBlockComment_) {
    currentText_.clear();
    whitespace_.clear();
    inBlockComment_ = readCommentLine() == 1;
    type_ = (inBlockComment_ || !currentText_.empty()) ? kMultiComment : readToken();
  } else {
    type_ = readToken();
  }
  traceToken();
  return type_;
}

void HeaderScanner::traceToken() {
  if (debugLevel_ < 1) return;
  if (debugLevel_ >= 2) trace_ << type_ << '.';
  if (type_ < -1)
    trace_ << traceName(type_) << ':';
  else
    trace_ << "TTpunct:";
  trace_ << currentText_ << '\n';
}

int HeaderScanner::nextTokenWithArgs() {
  int type = nextToken();
  if (type != kName) return type;
  int c = readChar();
  if (c == '(' || c == '<') {
    writeCursor_ = &currentText_;
    store(c);
    readGroup(c);
    if (debugLevel_ >= 1) trace_ << "... " << currentText_ << '\n';
  } else {
    unreadChar(c);
  }
  return type;
}

void HeaderScanner::pushBackToken() {
  pushedType_ = type_;
  pushedOpens_ = opensComment_;
  opensComment_ = previousOpens_;
  type_ = previousType_;
  savedText_ = currentText_;
  currentText_ = previousText_;
}

void HeaderScanner::skipGroup(int open) {
  writeCursor_ = nullptr;
  readGroup(open);
  writeCursor_ = &currentText_;
}

void HeaderScanner::skipWhitespace(int& c) {
  c = readChar();
  while (isSpace(c)) {
    whitespace_.push_back(static_cast<char>(c));
    c = readChar();
  }
}

int HeaderScanner::readToken() {
  whitespace_.clear();
  currentText_.clear();
  for (;;) {
    int c;
    skipWhitespace(c);
    if (c == -1) {
      currentText_.clear();
      return -1;
    }
    store(c);
    switch (c) {
      case '"':
      case '\'':
        readQuoted(c);
        return c == '"' ? kString : kChar;
      case '#':
        skipPreprocessorLine();
        unstore();
        continue;  // the token starts after the directive
      case '(':
        readGroup(c);
        return kArgList;
      case '[':
        readGroup(c);
        return kArrayRef;
      case '/': {
        int next = readChar();
        if (next == '*') {
          currentText_.clear();  // the "/*" is not kept
          opensComment_ = true;
          inBlockComment_ = readCommentLine() == 1;
          if (inBlockComment_) return kMultiComment;
          return currentText_ == "!" ? kIgnore : kMultiComment;
        }
        if (next == '/') {
          store(next);
          for (int d = readChar(); d != -1 && d != '\n'; d = readChar()) store(d);
          return currentText_ == "//!" ? kIgnore : kComment;
        }
        unreadChar(next);
        return '/';
      }
      default:
        break;
    }
    if (isDigit(c)) {
      int d = readChar();
      for (; isDigit(d); d = readChar()) store(d);
      unreadChar(d);
      return kNumber;
    }
    if (isLetter(c) || c == '_') {
      int d = readChar();
      for (; isNameChar(d); d = readChar()) store(d);
      unreadChar(d);
      return keywordType(currentText_);
    }
    return c;
  }
}

void HeaderScanner::readQuoted(int quote) {
  for (int c = readChar(); c != -1 && c != '\n'; c = readChar()) {
    store(c);
    if (c == quote) return;
    if (c == '\\') {
      int escaped = readChar();
      if (escaped == -1) return;
      if (escaped == '\n') {  // a backslash-newline continues the literal
        store(escaped);
        continue;
      }
      store(escaped);
    }
  }
}

void HeaderScanner::readGroup(int open) {
  const int closing = open == '(' ? ')' : open == '[' ? ']' : open == '{' ? '}' : '>';
  int depth = 1;
  for (int c = readChar(); c != -1; c = readChar()) {
    if (c == '"' || c == '\'') {
      store(c);
      readQuoted(c);
      continue;
    }
    if (c == '/') {
      int next = readChar();
      if (next == '/') {
        // Comments never appear in group texts; the newline stays as text.
        int d = readChar();
        while (d != -1 && d != '\n') d = readChar();
        unreadChar(d);
        continue;
      }
      if (next == '*') {
        skipBlockCommentText();
        continue;
      }
      store(c);
      unreadChar(next);
      continue;
    }
    store(c);
    if (c == open) {
      ++depth;
    } else if (c == closing) {
      if (depth == 1) return;
      --depth;
    }
  }
}

void HeaderScanner::skipBlockCommentText() {
  int c = readChar();
  while (c != -1) {
    if (c == '*') {
      c = readChar();
      if (c == '/') return;
    } else {
      c = readChar();
    }
  }
}

// A directive ends at its newline. A backslash escapes the next character, so a
// backslash at the end of the line continues the directive on the next line. A
// block comment inside the directive is skipped whole, even across lines.
void HeaderScanner::skipPreprocessorLine() {
  for (int c = readChar(); c != -1 && c != '\n'; c = readChar()) {
    if (c == '\\') {
      if (readChar() == -1) return;
    } else if (c == '/') {
      int next = readChar();
      if (next == '*')
        skipBlockCommentText();
      else
        unreadChar(next);
    }
  }
}

int HeaderScanner::readCommentLine() {
  if (!inBlockComment_) {
    int c;
    skipWhitespace(c);
    unreadChar(c);
  }
  int result = 0;
  for (int c = readChar(); c != -1; c = readChar()) {
    if (c == '\n') {
      result = 1;
      break;
    }
    if (c == '*') {
      int next = readChar();
      if (next == '/') break;
      store(c);
      unreadChar(next);
      continue;
    }
    store(c);
  }
  while (!currentText_.empty() && isSpace(static_cast<unsigned char>(currentText_.back())))
    currentText_.pop_back();
  return result;
}

}  // namespace classdoc
