// DocPrinter: prints the documented items through the DocWriter, and orders
// them for printing.
#pragma once

#include <string_view>
#include <vector>

#include "doc_model.h"
#include "doc_writer.h"
#include "ptr_list.h"

namespace classdoc {

/// Lines of one base or derived tree; a tree that would print more (a lattice
/// of shared bases grows exponentially) ends with a cut marker.
constexpr int kMaxTreeLines = 10000;

/// Alphabetical: names compared without regard to case, then byte by byte.
bool lessAlphabetical(const DocItem* a, const DocItem* b);
/// By file: file names compared byte by byte, then lines ascending.
bool lessByFile(const DocItem* a, const DocItem* b);

class DocPrinter {
 public:
  DocPrinter(DocWriter& writer, bool printPrivate) : writer_(writer), printPrivate_(printPrivate) {}

  /// Sorts every item of the model and prints it.
  void printAll(const DocModel& model, bool sortAlphabetical);

  void printClass(const ClassDoc& cls);
  void printEnum(const EnumDoc& item);
  void printDecl(const DeclDoc& item);
  void printMember(const MemberDoc& member);
  void printEnumValue(const EnumValueDoc& value);

 private:
  /// The item's title "<kind><name>" under its heading, its #include line and
  /// its description.
  void printTitle(int heading, std::string_view kind, const DocItem& item, const CommentList& description);
  void printTree(const ClassDoc& cls, bool bases, int level);
  void listMembers(const ClassDoc& cls, NameList& seen);
  void listSection(const ClassDoc& cls, int access, const NameList& seen);

  DocWriter& writer_;
  bool printPrivate_;               // private members are listed too
  bool listingInherited_ = false;   // the members of a base class are being listed
  NameList seenNames_;              // names listed for the class being listed
  std::vector<const ClassDoc*> path_;    // classes from the printed one to the current
  std::vector<const ClassDoc*> listed_;  // classes whose members were listed
  int treeLines_ = 0;                    // lines of the tree being printed
};

}  // namespace classdoc
