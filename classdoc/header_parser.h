// HeaderParser: turns the token stream of each header into the documentation
// model. One function per grammar rule; most of the rules decide which comment
// lines belong to which item. Everything it does not need is stepped over.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "comment_list.h"
#include "doc_model.h"
#include "header_scanner.h"
#include "source_conventions.h"

namespace classdoc {

class DocWriter;

/// Classes nested deeper than this are skipped whole, so that no input can
/// exhaust the stack.
constexpr int kMaxNestingDepth = 256;

class HeaderParser {
 public:
  /// Traces go through `writer` at the level `debugLevel` holds at the time.
  HeaderParser(DocModel& model, DocWriter& writer, const int& debugLevel);

  /// Parses the file `openName`, whose items record `shownName`; false when it
  /// cannot be opened (nothing is recorded then).
  bool readfile(const std::string& openName, const std::string& shownName);
  /// Parses a header held in memory.
  void readText(std::string_view text, const std::string& shownName);

 private:
  enum class CommentScope { kFile, kBody };

  /// One name of a declaration that declares several ("int x, y;").
  struct Declarator {
    std::string name;
    std::string declaration;
    int flags;
    CommentList comments;  // the comments after it
  };

  void parseFile();
  void parseClass(int kind, ClassDoc* enclosing = nullptr, int access = 0);
  void parseClassBody(ClassDoc& cls, int access);
  void parseAnonymousMembers(ClassDoc& cls, int access);
  void parseBases(ClassDoc& cls, int defaultAccess, int type);
  MemberDoc* parseMember(ClassDoc& cls, int access);
  int collectMember(CommentList& comments, std::string& name, std::string& declaration,
                    std::vector<Declarator>* earlier = nullptr);
  void parseExtern(int flags, bool atCurrent = false);
  bool parseTypedefType(ClassDoc* owner, int access);
  int macroClassKind();
  void skipUnion(ClassDoc* enclosing = nullptr, int access = 0);
  void parseEnum();
  void parseEnumBody(EnumDoc& item);
  EnumValueDoc* parseEnumMember(EnumDoc& item);
  int collectEnumMember(CommentList& comments, std::string& name, std::string& value);
  void skipTemplateParameters();
  void enterNamespace();

  void finishComment(bool discard);
  void commentToken(int type, CommentScope scope);
  /// The role of the current comment token and its text as the listing keeps it.
  CommentRole commentRole(int type);
  std::string commentText(int type, CommentRole role) const;
  void otherToken();
  /// True when the current token stands on the line where the last token ended.
  bool onEntryLine() const;

  /// Comment-list operations with their traces.
  void appendLine(CommentList& list, const std::string& text);
  void moveComments(CommentList& to, CommentList& from);
  /// Gives a parsed member or enum value the pending comments before it and
  /// the given ones after it, and adds it to its owner at the current line.
  template <typename Owner, typename Entry>
  Entry* recordEntry(Owner& owner, std::unique_ptr<Entry> entry, CommentList& trailing) {
    moveComments(entry->leadingComments, comments_);
    moveComments(entry->trailingComments, trailing);
    Entry* added = entry.get();
    DocModel::addEntry(owner, std::move(entry), scanner_.fileName(), scanner_.line());
    return added;
  }
  void zeroComments(CommentList& list);
  void trace(std::string_view text);

  DocModel& model_;
  DocWriter& writer_;
  const int& debugLevel_;
  HeaderScanner scanner_;
  CommentList comments_;               // accumulated comments, not yet given to an entry
  CommentedEntry* pending_ = nullptr;  // entry that may still take trailing comments
  ClassDoc friends_;                   // the friends of the file's classes, listed nowhere
  int lastLine_ = 0;                   // line after the last comment or entry
  int depth_ = 0;                      // classes being parsed, nested
  CommentRole blockRole_ = CommentRole::kPlain;  // role of the /* */ comment being read
  bool docBlock_ = false;              // comments_ holds a block for the entry below
  bool macroCall_ = false;             // collectMember read only a macro and its arguments
  bool qualifiedName_ = false;         // collectMember's name came after "::"
};

}  // namespace classdoc
