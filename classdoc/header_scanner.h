// HeaderScanner: reads one header character by character and hands the parser
// coarse tokens. Bracketed groups come back whole, preprocessor lines are
// dropped, every comment line is a token of its own, and the whitespace before
// each token is recorded so that declarations can be rebuilt as written.
//
// Texts are std::string, so no token is ever cut; the only visible length limit
// of the program is the output line of DocWriter.
#pragma once

#include <istream>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace classdoc {

class HeaderScanner {
 public:
  /// Traces go to `trace` at the levels given by `debugLevel` (read on every use).
  HeaderScanner(std::ostream& trace, const int& debugLevel);

  /// Opens the file `openName`; `shownName` is the name items record. False when
  /// the file cannot be opened or is a directory.
  bool open(const std::string& openName, const std::string& shownName);
  /// Scans `text` held in memory as if it were a file called `shownName`.
  void openText(std::string_view text, const std::string& shownName);
  void close();

  int readChar();
  void unreadChar(int c);

  int nextToken();
  /// nextToken, and a name directly followed by "(" or "<" takes that group too.
  int nextTokenWithArgs();
  /// Undoes the last nextToken once.
  void pushBackToken();
  /// Reads and discards a balanced group whose opening character was read.
  void skipGroup(int open);

  const std::string& currentText() const { return currentText_; }
  const std::string& previousText() const { return previousText_; }
  const std::string& whitespace() const { return whitespace_; }
  int type() const { return type_; }
  int previousType() const { return previousType_; }
  int line() const { return line_; }
  /// True when the current token is the first line of a /* */ comment.
  bool opensComment() const { return opensComment_; }
  const std::string& fileName() const { return fileName_; }

 private:
  void reset(const std::string& shownName);
  bool streamFailed() const;
  void store(int c);
  void unstore();
  int readToken();
  void skipWhitespace(int& c);
  void readQuoted(int quote);
  void readGroup(int open);
  void skipPreprocessorLine();
  void skipBlockCommentText();
  int readCommentLine();
  void traceToken();

  std::ostream& trace_;
  const int& debugLevel_;
  std::unique_ptr<std::istream> input_;  // none when no file is open
  std::string fileName_;                 // empty when no file is open
  std::string* writeCursor_ = nullptr;   // where read characters go; none: dropped
  std::string previousText_;             // text of the token before the current one
  std::string currentText_;              // text of the current token
  std::string savedText_;                // text of the token pushed back
  std::string whitespace_;               // whitespace skipped right before the token
  std::vector<int> charPushback_;        // characters given back, last on top
  int line_ = 0;                         // 1 after opening, counts newlines read
  bool inBlockComment_ = false;          // while the lines of a /* */ are returned
  int type_ = -1;
  int previousType_ = -1;
  int pushedType_ = -1;                  // -1: no token pushed back
  bool opensComment_ = false;            // the current token opened a /* */ comment
  bool previousOpens_ = false;           // the same for the token before it
  bool pushedOpens_ = false;             // the same for the token pushed back
};

}  // namespace classdoc
