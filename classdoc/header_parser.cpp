#include "header_parser.h"

#include <memory>

#include "char_class.h"
#include "doc_writer.h"
#include "tokens.h"

namespace classdoc {

namespace {

// Lines of a comment list traced after each append (level 2): its whole text
// after every line would make the trace grow with the square of a comment block.
constexpr std::size_t kTracedTailLines = 8;

void trimRight(std::string& text) {
  while (!text.empty() && isSpace(static_cast<unsigned char>(text.back()))) text.pop_back();
}

// Words after a parameter list that qualify the function and never name it.
bool isFunctionSpecifier(std::string_view word) {
  return word == "throw" || word == "noexcept" || word == "override" || word == "final";
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

void HeaderParser::appendLine(CommentList& list, const std::string& text) {
  if (debugLevel_ >= 1)
    writer_.stream() << "*** CommentList[" << static_cast<const void*>(&list) << "]::append"
                     << text << '\n';
  list.append(text);
  if (debugLevel_ >= 2) list.print(writer_, 8, debugLevel_, kTracedTailLines);
}

void HeaderParser::moveComments(CommentList& to, CommentList& from) {
  if (debugLevel_ >= 1) {
    writer_.stream() << "*** CommentList[" << static_cast<const void*>(&to) << "]::append ["
                     << static_cast<const void*>(&from) << "]...\n";
    from.print(writer_, 4, debugLevel_);
  }
  to.append(from);
  if (debugLevel_ >= 2) to.print(writer_, 8, debugLevel_, kTracedTailLines);
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
// comment starts a new block.
void HeaderParser::commentToken(int type, CommentScope scope) {
  const int line = scanner_.line();
  const int previous = scanner_.previousType();
  bool startsBlock;
  if (type == kComment)
    startsBlock = previous == kMultiComment ||
                  line > lastLine_ + 1 + (previous != kComment ? 1 : 0);
  else if (scope == CommentScope::kFile)
    startsBlock = previous != kMultiComment;
  else
    startsBlock = previous == kComment;
  if (startsBlock) finishComment(/*discard=*/true);
  appendLine(comments_, scanner_.currentText());
  lastLine_ = line;
}

bool HeaderParser::onEntryLine() const {
  return scanner_.whitespace().find('\n') == std::string::npos;
}

void HeaderParser::otherToken() {
  if (scanner_.line() > lastLine_ + 1) finishComment(/*discard=*/true);
}

// file -> { comment | class | enum | static | extern | typedef | const | inline | other }
void HeaderParser::parseFile() {
  comments_.zero();
  pending_ = nullptr;
  lastLine_ = scanner_.line();
  depth_ = 0;
  if (debugLevel_ >= 1) writer_.stream() << "*** readfile " << scanner_.fileName() << '\n';
  for (;;) {
    const int type = scanner_.nextToken();
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
        parseClass();
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
        parseExtern(kTypedefFlag);
        lastLine_ = scanner_.line();
        break;
      case kConst:
      case kInline:
        scanner_.pushBackToken();
        parseExtern(kStaticFlag);
        lastLine_ = scanner_.line();
        break;
      case '{':
        scanner_.skipGroup('{');
        otherToken();
        break;
      case kName:
        if (scanner_.currentText() == "template")
          skipTemplateParameters();
        else if (scanner_.currentText() == "namespace")
          enterNamespace();
        otherToken();
        break;
      default:
        otherToken();
        break;
    }
  }
}

// "template <class T>" at file level: the parameter list declares no class.
void HeaderParser::skipTemplateParameters() {
  if (scanner_.nextToken() == '<')
    scanner_.skipGroup('<');
  else
    scanner_.pushBackToken();
}

// namespace -> "namespace" [ name { "::" name } ] "{": the declarations inside
// are read as file-level ones; the closing brace is an ordinary token.
void HeaderParser::enterNamespace() {
  int type = scanner_.nextToken();
  while (type == kName || type == ':') type = scanner_.nextToken();
  if (type != '{') scanner_.pushBackToken();
}

// extern -> ( "static" | "extern" [ string ] | "typedef" | "const" | "inline" ) member
void HeaderParser::parseExtern(int flags) {
  finishComment(/*discard=*/false);
  int externC = 0;
  if (scanner_.nextToken() == kString) {
    if (scanner_.nextToken() == '{') return;  // extern "C" { file-level declarations }
    scanner_.pushBackToken();
    externC = kExternCFlag;
  }
  trace("*** parseExtern");
  CommentList local;
  std::string name, declaration;
  const int result = collectMember(local, name, declaration);
  if (debugLevel_ >= 1)
    writer_.stream() << "*** collectMember returned " << result << ':' << name << '\n';
  if (result == -1 || name.empty() || declaration.empty()) return;
  const int kept = result & (kInlineFlag | kStaticFlag | kTypedefFlag);
  DeclDoc& item = model_.declNamed(flags | externC | kept, name, declaration, comments_, local,
                                   scanner_.fileName(), scanner_.line());
  if (item.part.trailingComments.empty()) pending_ = &item.part;
  trace("*** parseExtern returned");
}

// class -> ( "class" | "struct" ) name [ "final" ] [ ":" bases ] ( ";" | "{" body "}" )
void HeaderParser::parseClass() {
  const int kind = scanner_.type() == kStruct ? kStructKind : kClassKind;
  // The access in force is per class, so it resumes after a nested class.
  int access = kind == kStructKind ? kPublicAccess : kPrivateAccess;
  lastLine_ = scanner_.line();
  trace("*** parseClass");
  if (scanner_.nextTokenWithArgs() != kName) return;
  ClassDoc& cls = model_.classNamed(scanner_.currentText(), kind, scanner_.fileName(),
                                    scanner_.line());
  moveComments(cls.comments, comments_);
  int type = scanner_.nextToken();
  if (type == kName && scanner_.currentText() == "final") type = scanner_.nextToken();
  if (type == ':') {
    parseBases(cls, kind == kStructKind ? kPublicAccess : kPrivateAccess);
    type = scanner_.type();
  } else if (type == ';') {
    return;
  }
  if (type != '{') return;
  if (depth_ >= kMaxNestingDepth) {
    scanner_.skipGroup('{');
    return;
  }
  ++depth_;
  for (;;) {
    type = scanner_.nextToken();
    switch (type) {
      case kName:
      case kStatic:
      case kConst:
      case kVolatile:
      case kVirtual:
      case kOperator:
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
        parseClass();
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

// bases -> { "public" | "protected" | "private" | "virtual" | "," | name { "::" name } }
// A base without an access word takes the default of the deriving kind.
void HeaderParser::parseBases(ClassDoc& cls, int defaultAccess) {
  trace("*** parseBases");
  int relation = defaultAccess;
  int type = scanner_.nextTokenWithArgs();
  for (;;) {
    if (type == kPrivate || type == kProtected || type == kPublic) {
      const int access = type == kPrivate ? kPrivateAccess
                         : type == kProtected ? kProtectedAccess
                                              : kPublicAccess;
      relation = (relation & ~kAccessMask) | access;
    } else if (type == kVirtual) {
      relation |= kVirtualRelation;
    } else if (type != ',') {
      if (type != kName) break;
      // A qualified base "ns::Base" is one name.
      std::string name = scanner_.currentText();
      for (;;) {
        type = scanner_.nextToken();
        if (type != ':') break;
        type = scanner_.nextToken();
        if (type != ':') break;
        type = scanner_.nextTokenWithArgs();
        if (type != kName) break;
        name += "::" + scanner_.currentText();
      }
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

MemberDoc* HeaderParser::parseMember(ClassDoc& cls, int access) {
  trace("*** parseMember");
  CommentList local;
  auto member = std::make_unique<MemberDoc>();
  const int result = collectMember(local, member->name, member->declaration);
  if (debugLevel_ >= 1) writer_.stream() << "*** collectMember returned " << result << '\n';
  if (result == -1) return nullptr;
  member->flags = result | access;
  return recordEntry(cls, std::move(member), local);
}

// member -> tokens up to ";" or a body "{": rebuilds the declaration as written
// and finds the declared name. The result is the member flags, or -1 when
// nothing is to be recorded.
int HeaderParser::collectMember(CommentList& comments, std::string& name,
                                std::string& declaration) {
  name.clear();
  declaration.clear();
  std::string lastName;
  std::size_t cut = 0;     // where " const", "= value" or ": initializers" start; 0: none
  std::size_t argPos = 0;  // length of the name when its argument list came
  int flags = 0;
  bool seenOperator = false, pure = false, excluded = false;
  bool seenParameters = false;   // a parameter list: the member is a function
  bool operatorNamed = false;    // the operator's symbol is complete
  bool inTail = false;           // initial value or initializer list: cut, names ignored
  bool inInitializers = false;   // a constructor's initializer list
  bool declaratorNamed = false;  // named by "(*name)"
  int angleDepth = 0;            // inside a template argument list

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
        if (inInitializers && (scanner_.previousType() == kName || scanner_.previousType() == '>')) {
          scanner_.skipGroup('{');  // a member's brace initializer
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
      case kMultiComment:
        appendLine(comments, text);
        continue;
      case kIgnore:
        excluded = true;
        continue;
      case '\\':
        continue;
      default:
        break;
    }
    if (inTail) {
      if (type == kNumber && text == "0" && scanner_.previousType() == '=' && seenParameters)
        pure = true;
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
      case '=':
        if (cut == 0) cut = declaration.size();
        inTail = !operatorOpen;
        append();
        break;
      case ':':
        if (seenParameters && (scanner_.previousType() == kArgList ||
                               isFunctionSpecifier(scanner_.previousText()))) {
          if (cut == 0) cut = declaration.size();
          inTail = inInitializers = true;
        }
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
        if (angleDepth == 0 && !declaratorNamed &&
            !(seenParameters && isFunctionSpecifier(text))) {
          lastName = text;
          if (!seenOperator && cut == 0) name.clear();
          cut = 0;
          argPos = 0;
        }
        append();
        break;
      case kArrayRef:
        if (angleDepth == 0) cut = argPos = 0;
        append();
        break;
      case kArgList:
        if (angleDepth > 0 || declaratorNamed ||
            (scanner_.previousType() == kName && seenParameters &&
             isFunctionSpecifier(scanner_.previousText()))) {
          append();  // template arguments, a pointer's parameters, throw(...)
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
  if (cut != 0) {
    std::size_t rest = cut;
    while (rest < declaration.size() && isSpace(static_cast<unsigned char>(declaration[rest])))
      ++rest;
    if (declaration.compare(rest, 5, "const") == 0) flags |= kConstFlag;
    declaration.resize(cut);
    if (pure) flags |= kPureFlag;
  }
  trimRight(declaration);
  if (name.empty()) name = lastName;
  trimRight(name);
  if (argPos != 0 && argPos < name.size()) {
    name.resize(argPos);
    trimRight(name);
  }
  return excluded ? -1 : flags;
}

// enum -> "enum" [ "class" | "struct" ] name [ ":" type ] "{" { value } "}"
void HeaderParser::parseEnum() {
  lastLine_ = scanner_.line();
  pending_ = nullptr;
  trace("*** parseEnum");
  int type = scanner_.nextTokenWithArgs();
  if (type == kClass || type == kStruct) type = scanner_.nextTokenWithArgs();
  if (type != kName) return;
  EnumDoc& item = model_.enumNamed(scanner_.currentText(), scanner_.fileName(), scanner_.line());
  moveComments(item.comments, comments_);
  type = scanner_.nextToken();
  if (type == ':') {  // the underlying type
    while (type != '{' && type != ';' && type != '}' && type != kEndOfFile)
      type = scanner_.nextToken();
  }
  if (type != '{') return;
  for (;;) {
    type = scanner_.nextToken();
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
        appendLine(comments, text);
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
