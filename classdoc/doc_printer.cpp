#include "doc_printer.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "char_class.h"
#include "header_parser.h"
#include "tokens.h"

namespace classdoc {

namespace {

constexpr std::string_view kAccessPrefixes[] = {"public ", "protected ", "private "};
constexpr std::string_view kSectionTitles[] = {"Public Members", "Protected Members",
                                               "Private Members"};
// Marks a class met again on its own path through the base or derived links.
constexpr std::string_view kCycleMark = " (cycle)";

bool contains(const std::vector<const ClassDoc*>& list, const ClassDoc* cls) {
  return std::find(list.begin(), list.end(), cls) != list.end();
}

int compareIgnoringCase(const std::string& a, const std::string& b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const auto ca = static_cast<unsigned char>(toLower(a[i]));
    const auto cb = static_cast<unsigned char>(toLower(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

}  // namespace

bool lessAlphabetical(const DocItem* a, const DocItem* b) {
  const int byCase = compareIgnoringCase(a->name, b->name);
  if (byCase != 0) return byCase < 0;
  return a->name < b->name;  // std::string compares bytes as unsigned char
}

bool lessByFile(const DocItem* a, const DocItem* b) {
  const int byFile = a->fileName.compare(b->fileName);
  if (byFile != 0) return byFile < 0;
  return a->line < b->line;
}

void ClassDoc::print(DocPrinter& printer) const { printer.printClass(*this); }
void EnumDoc::print(DocPrinter& printer) const { printer.printEnum(*this); }
void DeclDoc::print(DocPrinter& printer) const { printer.printDecl(*this); }

void DocPrinter::printAll(const DocModel& model, bool sortAlphabetical) {
  PtrList<DocItem> sorted;
  sorted.append(model.items());
  // A stable sort, so equal keys keep the order in which the items were made.
  if (sortAlphabetical)
    sorted.sort(lessAlphabetical);
  else
    sorted.sort(lessByFile);
  for (DocItem* item : sorted) item->print(*this);
}

void DocPrinter::printTitle(int heading, std::string_view kind, const DocItem& item,
                            const CommentList& description) {
  writer_.setHeading(heading);
  writer_.add(kind);
  writer_.add(item.name);
  writer_.emit();
  if (!item.fileName.empty()) writer_.include(item.fileName);
  if (!description.empty()) {
    writer_.emit();
    description.print(writer_, 0, 0);
  }
}

void DocPrinter::printClass(const ClassDoc& cls) {
  printTitle((cls.kind & kStructKind) ? kStructTitle : kClassTitle,
             std::string(kTypeNames[cls.kind & 3]) + " ", cls, cls.comments);
  if (!cls.bases.empty()) {
    writer_.setHeading(kBasesTitle);
    writer_.add("Base classes");
    writer_.emit();
    printTree(cls, /*bases=*/true, 0);
  }
  if (!cls.derived.empty()) {
    writer_.setHeading(kDerivedTitle);
    writer_.add("Derived classes");
    writer_.emit();
    printTree(cls, /*bases=*/false, 0);
  }
  if (!cls.members.empty()) {
    listingInherited_ = false;
    NameList seen;
    listed_.clear();
    listMembers(cls, seen);
  }
  writer_.emit();
}

// One line per link, then that class's own links four blanks further in. A
// class already on the path from the printed class is marked and not followed.
void DocPrinter::printTree(const ClassDoc& cls, bool bases, int level) {
  if (level == 0) treeLines_ = 0;
  path_.push_back(&cls);
  for (const ClassLink& link : bases ? cls.bases : cls.derived) {
    writer_.setIndent(level + 1);
    if (++treeLines_ > kMaxTreeLines) {
      if (treeLines_ == kMaxTreeLines + 1) {
        writer_.add("...");
        writer_.emit();
      }
      break;
    }
    if (link.relation & kVirtualRelation) writer_.add("virtual ");
    writer_.add(kAccessPrefixes[std::min(link.relation & kAccessMask, 2)]);
    writer_.add(link.cls->name);
    const bool cycle = contains(path_, link.cls);
    if (cycle) writer_.add(kCycleMark);
    writer_.emit();
    if (!cycle && static_cast<int>(path_.size()) < kMaxNestingDepth)
      printTree(*link.cls, bases, level + 4);
  }
  path_.pop_back();
}

// The class's own sections, then, recursively, what its bases add. A base on
// the current path is a cycle and gets a marker; a base listed before in this
// listing could add nothing, since every name it would list is already seen.
void DocPrinter::listMembers(const ClassDoc& cls, NameList& seen) {
  path_.push_back(&cls);
  listed_.push_back(&cls);
  seenNames_.clearKeep();
  listSection(cls, kPublicAccess, seen);
  listSection(cls, kProtectedAccess, seen);
  if (!listingInherited_) listSection(cls, kPrivateAccess, seen);
  seen.append(seenNames_);
  listingInherited_ = true;
  for (const ClassLink& link : cls.bases) {
    if (contains(path_, link.cls)) {
      writer_.setHeading(kInheritedSection);
      writer_.add("Members from ");
      writer_.add(link.cls->name);
      writer_.add(kCycleMark);
      writer_.emit();
    } else if (!contains(listed_, link.cls) &&
               static_cast<int>(path_.size()) < kMaxNestingDepth) {
      listMembers(*link.cls, seen);
    }
  }
  path_.pop_back();
}

void DocPrinter::listSection(const ClassDoc& cls, int access, const NameList& seen) {
  bool titled = false;
  for (const auto& member : cls.members) {
    const int flags = member->flags;
    if ((flags & kAccessMask) != access) continue;
    if (access == kPrivateAccess && !printPrivate_ && !(flags & kVirtualFlag)) continue;
    if (seen.contains(member->name)) continue;
    if (listingInherited_ && ((flags & kStaticFlag) || member->name == cls.name ||
                              member->name == "operator=" || seenNames_.contains(member->name)))
      continue;
    if (!titled) {
      writer_.setHeading((listingInherited_ ? kInheritedSection : kMemberSection) + access);
      writer_.add(kSectionTitles[access]);
      if (listingInherited_) {
        writer_.add(" from ");
        writer_.add(cls.name);
      }
      writer_.emit();
      titled = true;
    }
    if (listingInherited_) {
      writer_.setIndent(4);
      writer_.add(member->name);
      writer_.emit();
    } else {
      printMember(*member);
    }
    seenNames_.addUnique(member->name);
  }
}

void DocPrinter::printMember(const MemberDoc& member) {
  if (!member.leadingComments.empty()) {
    writer_.emit();
    member.leadingComments.print(writer_, 0, 0);
  }
  writer_.setHeading(kMemberLabel);
  if (member.flags & kDestructorFlag) writer_.add("~");
  writer_.add(member.name);
  writer_.emit();
  writer_.setIndent(4);
  if (member.flags & kStaticFlag)
    writer_.add("static ");
  else if (member.flags & kTypedefFlag)
    writer_.add("typedef ");
  if (member.flags & kPureFlag) writer_.add("pure ");
  if (member.flags & kInlineFlag) writer_.add("inline ");
  if (member.flags & kVirtualFlag) writer_.add("virtual ");
  writer_.add(member.declaration);
  if (member.flags & kConstFlag) writer_.add(" const");
  writer_.emit();
  member.trailingComments.print(writer_, 4, 0);
}

void DocPrinter::printEnum(const EnumDoc& item) {
  printTitle(kEnumTitle, "enum ", item, item.comments);
  if (!item.values.empty()) {
    writer_.setHeading(kValuesTitle);
    writer_.add("Values");
    writer_.emit();
    for (const auto& value : item.values) printEnumValue(*value);
  }
  writer_.emit();
}

void DocPrinter::printEnumValue(const EnumValueDoc& value) {
  value.leadingComments.print(writer_, 0, 0);
  writer_.setIndent(2);
  writer_.add(value.name);
  writer_.add(value.value);
  writer_.emit();
  value.trailingComments.print(writer_, 4, 0);
}

void DocPrinter::printDecl(const DeclDoc& item) {
  const int flags = item.part.flags;
  const int heading = (flags & kStaticFlag)    ? kStaticTitle
                      : (flags & kTypedefFlag) ? kTypedefTitle
                                               : kExternTitle;
  const std::string_view prefix = (flags & kStaticFlag)    ? "static "
                                  : (flags & kTypedefFlag) ? "typedef "
                                                           : "extern ";
  printTitle(heading, prefix, item, item.part.leadingComments);
  writer_.emit();
  writer_.setIndent(4);
  writer_.add(prefix);
  if (flags & kInlineFlag) writer_.add("inline ");
  writer_.add(item.part.declaration);
  writer_.emit();
  item.part.trailingComments.print(writer_, 4, 0);
  writer_.emit();
}

}  // namespace classdoc
