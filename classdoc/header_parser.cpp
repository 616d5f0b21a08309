#include "header_parser.h"

#include <algorithm>
#include <memory>

#include "char_class.h"
#include "doc_writer.h"
#include "tokens.h"

namespace classdoc {

namespace {

void trimRight(std::string& text) {
  while (!text.empty() && isSpace(static_cast<unsigned char>(text.back()))) text.pop_back();
}

// A parenthesised declarator such as "(*handler)" or "(Shape::*action)": the
// group names the declared pointer instead of holding parameters.
bool isPointerDeclarator(std::string_view group) {
  std::size_t i = 1;
  auto skipBlanks = [&] {
    while (i < group.size() && isSpace(static_cast<unsigned char>(group[i]))) ++i;
  };
  for (;;) {
    skipBlanks();
    if (i < group.size() && (group[i] == '*' || group[i] == '&' || group[i] == '^')) return true;
    // A qualifier "Name::" may come before the "*".
    std::size_t start = i;
    while (i < group.size() && isNameChar(static_cast<unsigned char>(group[i]))) ++i;
    if (i == start) return false;
    skipBlanks();
    if (group.substr(i, 2) != "::") return false;
    i += 2;
  }
}

// The identifier of a group that holds nothing else, "(index)", or "".
std::string parenthesisedName(std::string_view group) {
  std::size_t start = 1, end = group.size() - 1;
  while (start < end && isSpace(static_cast<unsigned char>(group[start]))) ++start;
  while (end > start && isSpace(static_cast<unsigned char>(group[end - 1]))) --end;
  for (std::size_t i = start; i < end; ++i)
    if (!isNameChar(static_cast<unsigned char>(group[i]))) return {};
  return start < end && !isDigit(group[start]) ? std::string(group.substr(start, end - start)) : "";
}

// The identifier a pointer declarator declares: the first one after its "*".
std::string declaratorName(std::string_view group) {
  std::size_t i = group.find_first_of("*&^");
  while (i < group.size()) {
    while (i < group.size() && !isNameChar(static_cast<unsigned char>(group[i]))) ++i;
    std::size_t start = i;
    while (i < group.size() && isNameChar(static_cast<unsigned char>(group[i]))) ++i;
    std::string_view word = group.substr(start, i - start);
    if (word != "const" && word != "volatile" && !word.empty() && !isDigit(word[0]))
      return std::string(word);
  }
  return {};
}

}  // namespace

HeaderParser::HeaderParser(DocModel& model, DocWriter& writer, const int& debugLevel)
    : model_(model), writer_(writer), debugLevel_(debugLevel),
      scanner_(writer.stream(), debugLevel) {}

void HeaderParser::trace(std::string_view text) {
  if (debugLevel_ >= 1) writer_.stream() << text << '\n';
}

// At level 2 a list is traced after each append with the lines just added
// only: printing it whole would make the trace grow with the square of a
// long comment block or of an item that collects the comments of many files.
void HeaderParser::appendLine(CommentList& list, const std::string& text) {
  if (debugLevel_ >= 1)
    writer_.stream() << "*** CommentList[" << static_cast<const void*>(&list) << "]::append"
                     << text << '\n';
  const std::size_t before = static_cast<std::size_t>(list.count());
  list.append(text);
  if (debugLevel_ >= 2) list.print(writer_, 8, debugLevel_, before);
}

void HeaderParser::moveComments(CommentList& to, CommentList& from) {
  if (debugLevel_ >= 1) {
    writer_.stream() << "*** CommentList[" << static_cast<const void*>(&to) << "]::append ["
                     << static_cast<const void*>(&from) << "]...\n";
    from.print(writer_, 4, debugLevel_);
  }
  const std::size_t before = static_cast<std::size_t>(to.count());
  to.append(from);
  if (debugLevel_ >= 2) to.print(writer_, 8, debugLevel_, before);
}

void HeaderParser::zeroComments(CommentList& list) {
  if (debugLevel_ >= 1)
    writer_.stream() << "*** CommentList[" << static_cast<const void*>(&list) << "]::zero\n";
  list.zero();
}

bool HeaderParser::readfile(const std::string& openName, const std::string& shownName) {
  if (!scanner_.open(openName, shownName)) return false;
  parseFile();
  return true;
}

void HeaderParser::readText(std::string_view text, const std::string& shownName) {
  scanner_.openText(text, shownName);
  parseFile();
}

// finishComment: the accumulated comments go to the pending entry; without one
// they are dropped (discard) or kept for the next item.
void HeaderParser::finishComment(bool discard) {
  if (pending_) {
    if (debugLevel_ >= 1) {
      writer_.stream() << "*** finishComment " << pending_->traceText() << '\n';
      comments_.print(writer_, 4, debugLevel_);
    }
    moveComments(pending_->trailingComments, comments_);
    pending_ = nullptr;
  } else if (discard) {
    zeroComments(comments_);
  }
}

// A comment line directly below an entry joins it; a blank line before a
// comment starts a new block. Doxygen's markers say whom a comment documents
// instead: the entry below (a block of its own) or the entry before.
void HeaderParser::commentToken(int type, CommentScope scope) {
  const int line = scanner_.line();
  const CommentRole role = commentRole(type);
  const std::string text = commentText(type, role);
  const int lastLine = lastLine_;
  lastLine_ = line;
  if (role == CommentRole::kDocPrevious && pending_) {
    moveComments(pending_->trailingComments, comments_);
    docBlock_ = false;
    if (!text.empty()) appendLine(pending_->trailingComments, text);
    return;
  }
  const bool inDocBlock = docBlock_ && !comments_.empty();
  if (role == CommentRole::kDocNext) {
    if (!inDocBlock) finishComment(/*discard=*/true);
    docBlock_ = true;
    if (!text.empty() || !comments_.empty()) appendLine(comments_, text);
    return;
  }
  const int previous = scanner_.previousType();
  bool startsBlock;
  if (inDocBlock)
    startsBlock = false;
  else if (type == kComment)
    startsBlock = previous == kMultiComment ||
                  line > lastLine + 1 + (previous != kComment ? 1 : 0);
  else if (scope == CommentScope::kFile)
    startsBlock = previous != kMultiComment;
  else
    startsBlock = previous == kComment;
  if (startsBlock) finishComment(/*discard=*/true);
  // A plain comment outside a documentation block (one after a member on its
  // line) starts a plain one, which a following /** does not join.
  if (!inDocBlock) docBlock_ = false;
  appendLine(comments_, text);
}

CommentRole HeaderParser::commentRole(int type) {
  const std::string& text = scanner_.currentText();
  if (type == kComment) return lineCommentRole(text);
  if (scanner_.opensComment()) blockRole_ = blockCommentRole(text);
  return blockRole_;
}

std::string HeaderParser::commentText(int type, CommentRole role) const {
  if (role == CommentRole::kPlain) return scanner_.currentText();
  return docCommentText(scanner_.currentText(), type == kComment, scanner_.opensComment());
}

bool HeaderParser::onEntryLine() const {
  return scanner_.whitespace().find('\n') == std::string::npos;
}

// A documentation block (/** or ///) describes the declaration below it, also
// one that is not listed ("constexpr int depth = 8;", "namespace ns {"): where
// that declaration ends, the block is dropped instead of going to the next item.
void HeaderParser::otherToken() {
  const int type = scanner_.type();
  if (scanner_.line() > lastLine_ + 1 || (docBlock_ && (type == ';' || type == '{'))) {
    finishComment(/*discard=*/true);
    docBlock_ = false;
  }
}

// "ATTRIBUTE_ALIGNED16(class)": a macro wrapped around the class keyword. The
// kind it wraps, or -1 (the token after the macro is then pushed back).
int HeaderParser::macroClassKind() {
  if (!isMacroWord(scanner_.currentText())) return -1;
  if (scanner_.nextToken() == kArgList) {
    std::string_view inner = scanner_.currentText();
    inner = inner.substr(1, inner.size() - 2);
    while (!inner.empty() && isSpace(static_cast<unsigned char>(inner.front()))) inner.remove_prefix(1);
    while (!inner.empty() && isSpace(static_cast<unsigned char>(inner.back()))) inner.remove_suffix(1);
    if (inner == "class") return kClassKind;
    if (inner == "struct") return kStructKind;
  }
  scanner_.pushBackToken();
  return -1;
}

// union -> "union" [ name ] [ "{" ... "}" ]: unions are not listed; a
// declarator after the body is read as the next member. The members of an
// anonymous union are members of the enclosing class.
void HeaderParser::skipUnion(ClassDoc* enclosing, int access) {
  int type = scanner_.nextToken();
  if (type == '{' && enclosing) {
    parseAnonymousMembers(*enclosing, access);
    return;
  }
  if (type == kName) type = scanner_.nextToken();
  if (type == '{')
    scanner_.skipGroup('{');
  else
    scanner_.pushBackToken();
}

// An anonymous union or structure: when no declarator follows its body its
// members belong to `cls`; otherwise the declarator is the member.
void HeaderParser::parseAnonymousMembers(ClassDoc& cls, int access) {
  ClassDoc anonymous;
  parseClassBody(anonymous, access);
  if (scanner_.nextToken() == ';')
    DocModel::adopt(cls, anonymous);
  else
    scanner_.pushBackToken();
}

// file -> { comment | class | enum | static | extern | typedef | const | inline | other }
void HeaderParser::parseFile() {
  comments_.zero();
  pending_ = nullptr;
  friends_.members.clearKeep();
  lastLine_ = scanner_.line();
  depth_ = 0;
  docBlock_ = false;
  bool fileStart = true;  // only comments so far: a licence block describes nothing
  if (debugLevel_ >= 1) writer_.stream() << "*** readfile " << scanner_.fileName() << '\n';
  for (;;) {
    const int type = scanner_.nextToken();
    if (fileStart && type != kComment && type != kMultiComment) {
      fileStart = false;
      if (isLicenceBlock(comments_)) zeroComments(comments_);
    }
    switch (type) {
      case kComment:
      case kMultiComment:
        commentToken(type, CommentScope::kFile);
        break;
      case kIgnore:
      case kEndOfFile:
        finishComment(/*discard=*/true);
        scanner_.close();
        zeroComments(comments_);
        return;
      case kClass:
      case kStruct:
        finishComment(/*discard=*/false);
        parseClass(type == kStruct ? kStructKind : kClassKind);
        trace("*** parseClass returned");
        break;
      case kEnum:
        finishComment(/*discard=*/false);
        parseEnum();
        trace("*** parseEnum returned");
        break;
      case kStatic:
        parseExtern(kStaticFlag);
        lastLine_ = scanner_.line();
        break;
      case kExtern:
        parseExtern(0);
        lastLine_ = scanner_.line();
        break;
      case kTypedef:
        if (!parseTypedefType(nullptr, 0)) parseExtern(kTypedefFlag);
        lastLine_ = scanner_.line();
        break;
      case kConst:
      case kInline:
        // "inline namespace" opens a namespace; any other is a declaration.
        if (scanner_.nextToken() == kName && scanner_.currentText() == "namespace") {
          enterNamespace();
          break;
        }
        scanner_.pushBackToken();
        parseExtern(kStaticFlag, /*atCurrent=*/true);
        lastLine_ = scanner_.line();
        break;
      case '{':
        scanner_.skipGroup('{');
        otherToken();
        break;
      case kName: {
        const std::string& text = scanner_.currentText();
        if (text == "template") {
          skipTemplateParameters();
        } else if (text == "namespace") {
          enterNamespace();
        } else if (text == "union") {
          skipUnion();
        } else if (const int kind = macroClassKind(); kind >= 0) {
          finishComment(/*discard=*/false);
          parseClass(kind);
          break;
        }
        otherToken();
        break;
      }
      default:
        otherToken();
        break;
    }
  }
}

// "template <class T>" at file level: the parameter list declares no class.
// "template class X<int>;" instantiates one and declares nothing.
void HeaderParser::skipTemplateParameters() {
  int type = scanner_.nextToken();
  if (type == '<') {
    scanner_.skipGroup('<');
    return;
  }
  while (type != ';' && type != '{' && type != '}' && type != kEndOfFile) type = scanner_.nextToken();
  scanner_.pushBackToken();
}

// namespace -> "namespace" { name | "::" | macro | attribute } "{": the
// declarations inside are read as file-level ones; the closing brace is an
// ordinary token.
void HeaderParser::enterNamespace() {
  int type = scanner_.nextTokenWithArgs();
  while (type == kName || type == ':' || type == kArgList || type == kArrayRef)
    type = scanner_.nextTokenWithArgs();
  if (type != '{') scanner_.pushBackToken();
}

// extern -> ( "static" | "extern" [ string ] | "typedef" | "const" | "inline" ) member
// A qualified name ("inline bool State::KeepRunning() {...}") defines a member
// of a class outside it, and is not a file-level declaration.
void HeaderParser::parseExtern(int flags, bool atCurrent) {
  finishComment(/*discard=*/false);
  int externC = 0;
  // With atCurrent the keyword is the current token again (the caller looked one ahead).
  if (!atCurrent && scanner_.nextToken() == kString) {
    if (scanner_.nextToken() == '{') return;  // extern "C" { file-level declarations }
    scanner_.pushBackToken();
    externC = kExternCFlag;
  }
  trace("*** parseExtern");
  CommentList local;
  std::string name, declaration;
  std::vector<Declarator> earlier;
  const int result = collectMember(local, name, declaration, &earlier);
  if (debugLevel_ >= 1)
    writer_.stream() << "*** collectMember returned " << result << ':' << name << '\n';
  if (result == -1 || name.empty() || declaration.empty() || qualifiedName_) return;
  earlier.push_back({name, declaration, result, std::move(local)});
  DeclDoc* item = nullptr;
  for (Declarator& part : earlier) {
    const int kept = part.flags & (kInlineFlag | kStaticFlag | kTypedefFlag);
    item = &model_.declNamed(flags | externC | kept, part.name, part.declaration, comments_,
                             part.comments, scanner_.fileName(), scanner_.line());
  }
  if (item->part.trailingComments.empty()) pending_ = &item->part;
  trace("*** parseExtern returned");
}

// typedef -> "typedef" ( "struct" | "class" | "union" | "enum" ) [ tag ] [ "{" body "}" ] name ";"
// A type defined in a typedef is listed under its tag, or under the typedef's
// name when it has none. False (nothing read) for any other typedef.
bool HeaderParser::parseTypedefType(ClassDoc* owner, int access) {
  const int keyword = scanner_.nextToken();
  const bool isUnion = keyword == kName && scanner_.currentText() == "union";
  if (keyword != kStruct && keyword != kClass && keyword != kEnum && !isUnion) {
    scanner_.pushBackToken();
    return false;
  }
  finishComment(/*discard=*/false);
  const std::string keywordText = scanner_.currentText();
  const int kind = keyword == kStruct ? kStructKind : kClassKind;
  std::string tag;
  int type = scanner_.nextTokenWithArgs();
  if (type == kName) {
    tag = scanner_.currentText();
    type = scanner_.nextToken();
  }
  ClassDoc anonymousClass;
  EnumDoc anonymousEnum;
  if (type == '{') {
    if (isUnion) {
      scanner_.skipGroup('{');
    } else if (keyword == kEnum) {
      EnumDoc& item = tag.empty() ? anonymousEnum
                                  : model_.enumNamed(tag, scanner_.fileName(), scanner_.line());
      moveComments(item.comments, comments_);
      parseEnumBody(item);
    } else {
      ClassDoc& cls = tag.empty() ? anonymousClass
                                  : model_.classNamed(tag, kind, scanner_.fileName(), scanner_.line());
      if (tag.empty())
        cls.kind = kind;
      else if (cls.members.empty())
        model_.setKind(cls, kind);
      moveComments(cls.comments, comments_);
      parseClassBody(cls, kind == kStructKind ? kPublicAccess : kPrivateAccess);
    }
    type = scanner_.nextToken();
    if (type == kName && tag.empty()) {
      if (keyword == kEnum)
        model_.adopt(model_.enumNamed(scanner_.currentText(), scanner_.fileName(), scanner_.line()),
                     anonymousEnum);
      else if (!isUnion)
        model_.adopt(model_.classNamed(scanner_.currentText(), kind, scanner_.fileName(),
                                       scanner_.line()),
                     anonymousClass);
      return true;
    }
    zeroComments(comments_);
  }
  if (type != kName && type != '*') return true;
  // "typedef struct tag name;": the typedef itself, with the type written as in the source.
  CommentList local;
  std::string name, declaration;
  const int result = collectMember(local, name, declaration);
  if (result == -1 || name.empty()) return true;
  declaration = keywordText + (tag.empty() ? "" : " " + tag) + " " + declaration;
  if (owner) {
    auto member = std::make_unique<MemberDoc>();
    member->name = name;
    member->declaration = declaration;
    member->flags = kTypedefFlag | access;
    pending_ = recordEntry(*owner, std::move(member), local);
  } else {
    DeclDoc& item = model_.declNamed(kTypedefFlag, name, declaration, comments_, local,
                                     scanner_.fileName(), scanner_.line());
    if (item.part.trailingComments.empty()) pending_ = &item.part;
  }
  return true;
}

// class -> ( "class" | "struct" ) { macro | attribute } [ name { "::" name } ] [ "final" ]
//          [ ":" bases ] ( ";" | "{" body "}" )
// A word written as a macro before the name (an export macro) is skipped; a
// qualified name "State::Iterator" defines the nested class Iterator.
void HeaderParser::parseClass(int kind, ClassDoc* enclosing, int access) {
  lastLine_ = scanner_.line();
  trace("*** parseClass");
  std::string name;
  int type = scanner_.nextTokenWithArgs();
  for (;; type = scanner_.nextTokenWithArgs()) {
    if (type == kArrayRef) continue;  // [[attributes]]
    if (type != kName) break;
    if (!name.empty()) {
      if (scanner_.currentText() == "final") continue;
      if (!isMacroWord(name)) break;
    }
    name = scanner_.currentText();
  }
  bool basesBegun = false;
  while (type == ':' && !name.empty()) {
    type = scanner_.nextToken();
    if (type != ':') {
      basesBegun = true;
      break;
    }
    type = scanner_.nextTokenWithArgs();
    if (type != kName) break;
    name = scanner_.currentText();
    type = scanner_.nextTokenWithArgs();
    if (type == kName && scanner_.currentText() == "final") type = scanner_.nextToken();
  }
  if (name.empty()) {
    // An anonymous class is not recorded; the declarator after its body is the next member.
    if (type == '{') {
      if (enclosing)
        parseAnonymousMembers(*enclosing, access);
      else
        scanner_.skipGroup('{');
    }
    return;
  }
  ClassDoc& cls = model_.classNamed(name, kind, scanner_.fileName(), scanner_.line());
  if (!basesBegun && type != '{') {
    zeroComments(comments_);  // a declaration only: the comments above describe nothing here
    return;
  }
  // The keyword of the definition wins over that of an earlier declaration or base use.
  if (cls.members.empty()) model_.setKind(cls, kind);
  moveComments(cls.comments, comments_);
  if (basesBegun) {
    parseBases(cls, kind == kStructKind ? kPublicAccess : kPrivateAccess, type);
    type = scanner_.type();
  }
  if (type != '{') return;
  parseClassBody(cls, kind == kStructKind ? kPublicAccess : kPrivateAccess);
}

// body -> { member | comment | class | enum | typedef | union | access ":" } "}"
// The access in force is per class, so it resumes after a nested class.
void HeaderParser::parseClassBody(ClassDoc& cls, int access) {
  if (depth_ >= kMaxNestingDepth) {
    scanner_.skipGroup('{');
    return;
  }
  ++depth_;
  for (;;) {
    int type = scanner_.nextToken();
    if (type == kName) {
      const std::string& text = scanner_.currentText();
      if (text == "union") {
        finishComment(/*discard=*/false);
        skipUnion(&cls, access);
        continue;
      }
      if (text == "friend") {
        // Not a member: read like one, with its comments, and listed nowhere.
        finishComment(/*discard=*/false);
        pending_ = parseMember(friends_, access);
        lastLine_ = scanner_.line();
        continue;
      }
      if (const int kind = macroClassKind(); kind >= 0) {
        finishComment(/*discard=*/false);
        parseClass(kind);
        continue;
      }
    } else if (type == kTypedef && parseTypedefType(&cls, access)) {
      lastLine_ = scanner_.line();
      continue;
    }
    switch (type) {
      case kName:
      case kStatic:
      case kConst:
      case kVolatile:
      case kVirtual:
      case kOperator:
      case kTypedef:
      case kInline:
      case '~':
        finishComment(/*discard=*/false);
        if (MemberDoc* member = parseMember(cls, access)) {
          pending_ = member;
          if (member->flags & kPureFlag) cls.kind |= kAbstractKind;
        }
        lastLine_ = scanner_.line();
        break;
      case kComment:
      case kMultiComment:
        commentToken(type, CommentScope::kBody);
        break;
      case kClass:
      case kStruct:
        finishComment(/*discard=*/false);
        parseClass(type == kStruct ? kStructKind : kClassKind, &cls, access);
        break;
      case kEnum:
        finishComment(/*discard=*/false);
        parseEnum();
        break;
      case kIgnore:
        // The marker at the end of a member's line excludes that member.
        if (pending_ && !cls.members.empty() && pending_ == cls.members.last().get() &&
            onEntryLine()) {
          cls.members.removeLast();
          pending_ = nullptr;
          cls.kind &= ~kAbstractKind;
          for (const auto& member : cls.members)
            if (member->flags & kPureFlag) cls.kind |= kAbstractKind;
        } else {
          otherToken();
        }
        break;
      case kPrivate:
      case kPublic:
      case kProtected:
        finishComment(/*discard=*/true);
        access = type == kPrivate ? kPrivateAccess
                 : type == kPublic ? kPublicAccess
                                   : kProtectedAccess;
        break;
      case '}':
      case kEndOfFile:
        finishComment(/*discard=*/true);
        --depth_;
        return;
      case '{':
        scanner_.skipGroup('{');
        otherToken();
        break;
      default:
        otherToken();
        break;
    }
  }
}

// bases -> { "public" | "protected" | "private" | "virtual" | "," | [ "::" ] name { "::" name } [ "<" ... ">" ] }
// A base without an access word takes the default of the deriving kind; `type`
// is the first token of the list.
void HeaderParser::parseBases(ClassDoc& cls, int defaultAccess, int type) {
  trace("*** parseBases");
  int relation = defaultAccess;
  for (;;) {
    if (type == kPrivate || type == kProtected || type == kPublic) {
      const int access = type == kPrivate ? kPrivateAccess
                         : type == kProtected ? kProtectedAccess
                                              : kPublicAccess;
      relation = (relation & ~kAccessMask) | access;
    } else if (type == kVirtual) {
      relation |= kVirtualRelation;
    } else if (type == ':') {
      // A leading "::" names the global namespace.
      if (scanner_.nextToken() != ':') break;
    } else if (type == '<') {
      scanner_.skipGroup('<');  // template arguments written apart from the name
    } else if (type != ',') {
      if (type != kName) break;
      // A base is named like the classes themselves: by its last name, without
      // namespaces and template arguments ("ns::Base<T>" is Base), so that it
      // links to the class it names.
      std::string name = scanner_.currentText();
      for (;;) {
        type = scanner_.nextToken();
        if (type != ':') break;
        type = scanner_.nextToken();
        if (type != ':') break;
        type = scanner_.nextTokenWithArgs();
        if (type != kName) break;
        name = scanner_.currentText();
      }
      name.resize(std::min(name.size(), name.find('<')));
      // A structure already declared under that name is the base; otherwise
      // the base is looked up as a class.
      ClassDoc* base = model_.findClass(name, kStructKind);
      if (!base) base = &model_.classNamed(name, kClassKind, scanner_.fileName(), scanner_.line());
      DocModel::addBase(cls, *base, relation);
      relation = defaultAccess;
      continue;  // `type` already holds the token after the name
    }
    type = scanner_.nextTokenWithArgs();
  }
  trace("*** parseBases returned");
}

// "int x, y;" gives one member per name: the comments above go to the first,
// those inside and after the declaration to the last.
MemberDoc* HeaderParser::parseMember(ClassDoc& cls, int access) {
  trace("*** parseMember");
  CommentList local;
  auto member = std::make_unique<MemberDoc>();
  std::vector<Declarator> earlier;
  const int result = collectMember(local, member->name, member->declaration, &earlier);
  if (debugLevel_ >= 1) writer_.stream() << "*** collectMember returned " << result << '\n';
  if (result == -1) return nullptr;
  if (macroCall_ && member->name != cls.name) {
    // "DECLARE_ALLOCATOR();" alone: a macro call, as only a constructor has no type.
    zeroComments(comments_);
    return nullptr;
  }
  for (Declarator& part : earlier) {
    auto first = std::make_unique<MemberDoc>();
    first->name = std::move(part.name);
    first->declaration = std::move(part.declaration);
    first->flags = part.flags | access;
    recordEntry(cls, std::move(first), part.comments);
  }
  member->flags = result | access;
  return recordEntry(cls, std::move(member), local);
}

// member -> tokens up to ";" or a body "{": rebuilds the declaration as written
// and finds the declared name. The result is the member flags, or -1 when
// nothing is to be recorded. A declaration of several names ("int x, y;")
// gives the earlier ones in `earlier`, when the caller takes them.
//
// Real headers add words the grammar has no place for: a word written as a
// macro alone on its line before the member (Q_OBJECT) is dropped, one with an
// argument list before the type (DEPRECATED("...")) does not name the member,
// and after the parameter list no word renames it (THROWS(X), OVERRIDE).
int HeaderParser::collectMember(CommentList& comments, std::string& name,
                                std::string& declaration, std::vector<Declarator>* earlier) {
  name.clear();
  declaration.clear();
  qualifiedName_ = false;
  std::string lastName;
  bool lastNameQualified = false;
  std::size_t cut = 0;     // where " const", "= value" or ": initializers" start; 0: none
  std::size_t argPos = 0;  // length of the name when its argument list came
  int flags = 0;
  bool seenOperator = false, pure = false, excluded = false;
  bool seenParameters = false;   // a parameter list: the member is a function
  bool macroParameters = false;  // ... unless a word follows: it was a macro's
  bool operatorNamed = false;    // the operator's symbol is complete
  bool inTail = false;           // initial value or initializer list: cut, names ignored
  bool inInitializers = false;   // a constructor's initializer list
  bool declaratorNamed = false;  // named by "(*name)"
  bool usingAlias = false;       // "using name = type": the whole text is the declaration
  bool macroOnly = false;        // only a macro word and its arguments so far
  int angleDepth = 0;            // inside a template argument list
  std::size_t colonAt = 0;       // a ":" after the parameters, until the next token tells
  std::size_t nameStart = std::string::npos;  // where the last name's text starts
  std::string prefix;            // the type shared by several declarators
  std::string parenName;         // the identifier alone in the last parameter list
  int prevType = 0, prev2Type = 0, prev3Type = 0;  // the last tokens that are not comments

  auto finishOne = [&](std::string& oneName, std::string& oneDeclaration) {
    int oneFlags = flags;
    if (cut != 0) {
      std::size_t rest = cut;
      while (rest < oneDeclaration.size() && isSpace(static_cast<unsigned char>(oneDeclaration[rest])))
        ++rest;
      if (oneDeclaration.compare(rest, 5, "const") == 0) oneFlags |= kConstFlag;
      oneDeclaration.resize(cut);
      if (pure) oneFlags |= kPureFlag;
    }
    trimRight(oneDeclaration);
    if (oneName.empty()) oneName = lastName;
    trimRight(oneName);
    if (argPos != 0 && argPos < oneName.size()) {
      oneName.resize(argPos);
      trimRight(oneName);
    }
    return oneFlags;
  };

  for (int type = scanner_.type();; type = scanner_.nextToken()) {
    const std::string& text = scanner_.currentText();
    auto append = [&] {
      if (!declaration.empty()) declaration += scanner_.whitespace();
      declaration += text;
      if (seenOperator) {
        if (!name.empty()) name += scanner_.whitespace();
        name += text;
      }
    };
    switch (type) {
      case ';':
        goto finish;
      case '{':
        if (inInitializers && (prevType == kName || prevType == '>')) {
          scanner_.skipGroup('{');  // a member's brace initializer
          prevType = '}';
          continue;
        }
        scanner_.pushBackToken();
        if (seenParameters) flags |= kInlineFlag;
        goto finish;
      case '}':
        scanner_.pushBackToken();  // it closes the enclosing class
        return -1;
      case kEndOfFile:
        return -1;
      case kComment:
      case kMultiComment: {
        // "int x, ///< across\n y;": a marker after a "," documents the name before it.
        const CommentRole role = commentRole(type);
        const bool afterComma = earlier && !earlier->empty() && nameStart == std::string::npos;
        appendLine(role == CommentRole::kDocPrevious && afterComma ? earlier->back().comments : comments,
                   commentText(type, role));
        continue;
      }
      case kIgnore:
        excluded = true;
        continue;
      case '\\':
        continue;
      default:
        break;
    }
    if (macroOnly && scanner_.whitespace().find('\n') != std::string::npos) {
      if (type == kName || type == kStatic || type == kConst || type == kVolatile ||
          type == kVirtual || type == kOperator || type == kTypedef || type == kInline ||
          type == '~' || type == kArrayRef) {
        // The macro stood alone on its line: the member starts here.
        moveComments(comments_, comments);
        name.clear();
        declaration.clear();
        lastName.clear();
        seenParameters = macroParameters = false;
        cut = argPos = 0;
        flags = 0;
      } else if (type == kPublic || type == kPrivate || type == kProtected || type == kClass ||
                 type == kStruct || type == kEnum) {
        scanner_.pushBackToken();
        return -1;
      }
    }
    if (macroOnly && (type == kClass || type == kStruct)) {
      // "EXPORT_MACRO class Nested { ... };": the class is read as a class.
      scanner_.pushBackToken();
      return -1;
    }
    macroOnly = (declaration.empty() && type == kName && isMacroWord(text)) ||
                (macroOnly && type == kArgList && prevType == kName);
    if (colonAt != 0) {
      if (type != ':') {
        if (cut == 0) cut = colonAt;
        inTail = inInitializers = true;
      }
      colonAt = 0;  // a second ":" made "::" of a trailing return type
    }
    prev3Type = prev2Type;
    prev2Type = prevType;
    prevType = type;
    if (type == ',' && earlier && angleDepth == 0 && !seenParameters && !declaratorNamed &&
        !seenOperator && nameStart != std::string::npos && !inInitializers) {
      // The next declarator of the same type.
      if (earlier->empty()) {
        prefix = declaration.substr(0, nameStart);
        while (!prefix.empty() && (isSpace(static_cast<unsigned char>(prefix.back())) ||
                                   prefix.back() == '*' || prefix.back() == '&'))
          prefix.pop_back();
      }
      Declarator part{name, declaration, 0, CommentList()};
      part.flags = finishOne(part.name, part.declaration);
      if (!part.name.empty()) earlier->push_back(std::move(part));
      name.clear();
      lastName.clear();
      declaration = prefix;
      cut = argPos = 0;
      pure = inTail = false;
      nameStart = std::string::npos;
      continue;
    }
    if (inTail) {
      if (type == kNumber && text == "0" && prev2Type == '=' && seenParameters) pure = true;
      append();
      continue;
    }
    const bool operatorOpen = seenOperator && !operatorNamed;  // symbol still being read
    switch (type) {
      case kStatic:
        flags |= kStaticFlag;
        cut = 0;
        break;
      case kTypedef:
        flags |= kTypedefFlag;
        cut = 0;
        break;
      case kVirtual:
        flags |= kVirtualFlag;
        cut = 0;
        break;
      case kInline:
        flags |= kInlineFlag;
        cut = 0;
        break;
      case kConst:
        cut = declaration.size();
        pure = false;
        append();
        break;
      case kClass:
      case kStruct:
        // "template <...> struct Name": a nested class template, read as a class.
        if (prev2Type == '>' && angleDepth == 0 && declaration.compare(0, 8, "template") == 0) {
          scanner_.pushBackToken();
          return -1;
        }
        append();
        break;
      case '=':
        if (angleDepth == 0) {
          if (usingAlias) {
            inTail = true;
          } else {
            if (cut == 0) cut = declaration.size();
            inTail = !operatorOpen;
          }
        }
        append();
        break;
      case ':':
        if (seenParameters && !operatorOpen && angleDepth == 0) colonAt = declaration.size();
        append();
        break;
      case '<':
        if (!operatorOpen) ++angleDepth;
        append();
        break;
      case '>':
        if (!operatorOpen && angleDepth > 0) --angleDepth;
        append();
        break;
      case kName:
        if (macroParameters) {
          // The argument list was a macro's: the member's own name is still to come.
          seenParameters = macroParameters = false;
          if (!seenOperator) name.clear();
        }
        if (text == "using" && declaration.empty()) usingAlias = true;
        if (angleDepth == 0 && !declaratorNamed && !seenParameters) {
          lastName = text;
          lastNameQualified = prev2Type == ':' && prev3Type == ':';
          if (!seenOperator && cut == 0) name.clear();
          cut = 0;
          argPos = 0;
          nameStart = declaration.size();
        }
        append();
        break;
      case kArrayRef:
        if (angleDepth == 0 && !seenParameters) cut = argPos = 0;
        append();
        break;
      case kArgList:
        if (seenParameters && !seenOperator && prev2Type == kArgList && !parenName.empty()) {
          // "int (index)() const": the name was parenthesised to keep a macro off it.
          name = std::move(parenName);
          argPos = name.size();
        }
        parenName.clear();
        if (angleDepth > 0 || declaratorNamed || (seenParameters && !seenOperator)) {
          append();  // template arguments, a pointer's parameters, throw(...), a macro's
          break;
        }
        if (seenOperator) {
          lastName = name;
          operatorNamed = true;
          seenParameters = true;
        } else if (isPointerDeclarator(text)) {
          name = declaratorName(text);
          declaratorNamed = true;
        } else {
          name = lastName;
          seenParameters = true;
          parenName = parenthesisedName(text);
          macroParameters = isMacroWord(lastName);
          qualifiedName_ = lastNameQualified;
        }
        argPos = name.size();
        cut = 0;
        append();
        break;
      case kOperator:
        seenOperator = true;
        name.clear();
        cut = argPos = 0;
        append();
        break;
      case '~':
        if (declaration.empty()) flags |= kDestructorFlag;
        cut = 0;
        append();
        break;
      default:
        append();
        break;
    }
  }

finish:
  macroCall_ = macroOnly;
  flags = finishOne(name, declaration);
  if (!seenParameters) qualifiedName_ = lastNameQualified;
  return excluded ? -1 : flags;
}

// enum -> "enum" [ "class" | "struct" ] { macro | attribute } name [ ":" type ] "{" { value } "}"
// An anonymous enumeration is not recorded, and its body is stepped over.
void HeaderParser::parseEnum() {
  lastLine_ = scanner_.line();
  pending_ = nullptr;
  trace("*** parseEnum");
  int type = scanner_.nextTokenWithArgs();
  if (type == kClass || type == kStruct) type = scanner_.nextTokenWithArgs();
  std::string name;
  for (; type == kName || type == kArrayRef; type = scanner_.nextTokenWithArgs()) {
    if (type == kArrayRef) continue;
    if (!name.empty() && !isMacroWord(name)) break;
    name = scanner_.currentText();
  }
  if (type == ':') {  // the underlying type
    while (type != '{' && type != ';' && type != '}' && type != kEndOfFile)
      type = scanner_.nextToken();
  }
  if (name.empty()) {
    if (type == '{') scanner_.skipGroup('{');
    return;
  }
  EnumDoc& item = model_.enumNamed(name, scanner_.fileName(), scanner_.line());
  if (type != '{') {
    zeroComments(comments_);  // a declaration only
    return;
  }
  moveComments(item.comments, comments_);
  parseEnumBody(item);
}

void HeaderParser::parseEnumBody(EnumDoc& item) {
  for (;;) {
    const int type = scanner_.nextToken();
    switch (type) {
      case '}':
      case kEndOfFile:
        finishComment(/*discard=*/false);
        return;
      case kName:
        finishComment(/*discard=*/false);
        if (EnumValueDoc* value = parseEnumMember(item)) pending_ = value;
        lastLine_ = scanner_.line();
        break;
      case kComment:
      case kMultiComment:
        commentToken(type, CommentScope::kBody);
        break;
      case kIgnore:
        // The marker at the end of a value's line excludes that value.
        if (pending_ && !item.values.empty() && pending_ == item.values.last().get() &&
            onEntryLine()) {
          item.values.removeLast();
          pending_ = nullptr;
        } else {
          otherToken();
        }
        break;
      default:
        otherToken();
        break;
    }
  }
}

EnumValueDoc* HeaderParser::parseEnumMember(EnumDoc& item) {
  trace("*** parseEnumMember");
  CommentList local;
  auto value = std::make_unique<EnumValueDoc>();
  const int result = collectEnumMember(local, value->name, value->value);
  if (debugLevel_ >= 1) writer_.stream() << "*** collectEnumMember returned " << result << '\n';
  if (result == 0) return nullptr;
  return recordEntry(item, std::move(value), local);
}

// value -> name [ "=" text ] ( "," | "}" ): 1 when a value was read, 0 when
// none, -1 at the end of the file.
int HeaderParser::collectEnumMember(CommentList& comments, std::string& name,
                                    std::string& value) {
  name.clear();
  value.clear();
  bool afterValue = false;
  for (int type = scanner_.type();; type = scanner_.nextToken()) {
    const std::string& text = scanner_.currentText();
    switch (type) {
      case ',':
        return name.empty() ? 0 : 1;
      case '}':
        scanner_.pushBackToken();
        return name.empty() ? 0 : 1;
      case kComment:
      case kMultiComment:
        appendLine(comments, commentText(type, commentRole(type)));
        continue;
      case kIgnore:
        name.clear();
        continue;
      case kEndOfFile:
        return -1;
      default:
        break;
    }
    if (afterValue) {
      value += scanner_.whitespace();
      value += text;
    } else if (type == '=') {
      afterValue = true;
      value += scanner_.whitespace();
      value += text;
    } else if (type == kName) {
      name = text;
    }
  }
}

}  // namespace classdoc
