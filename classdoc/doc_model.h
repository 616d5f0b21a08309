// The documentation model: classes and structures with members, bases and
// derived classes; enumerations with values; file-level static, typedef and
// extern declarations. DocModel owns every item and keeps the registries.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <utility>

#include "comment_list.h"
#include "ptr_list.h"

namespace classdoc {

class DocPrinter;

/// Member flag values.
enum MemberFlag : int {
  kAccessMask = 3,      // 0 public, 1 protected, 2 private
  kInlineFlag = 4,
  kVirtualFlag = 8,
  kPureFlag = 0x10,
  kConstFlag = 0x20,
  kDestructorFlag = 0x40,
  kStaticFlag = 0x80,
  kTypedefFlag = 0x100,
  kExternCFlag = 0x200,
};

enum Access : int { kPublicAccess = 0, kProtectedAccess = 1, kPrivateAccess = 2 };

/// Added to the access of a ClassLink relation for a virtual base.
constexpr int kVirtualRelation = 4;

/// ClassDoc kind values.
enum ClassKind : int { kClassKind = 0, kStructKind = 1, kAbstractKind = 2 };

/// A member, enumeration value or declaration that may still receive trailing comments.
struct CommentedEntry {
  virtual ~CommentedEntry() = default;
  /// The name or declaration text shown in traces.
  virtual const std::string& traceText() const = 0;
  CommentList leadingComments;   // the block above the entry
  CommentList trailingComments;  // comments inside and directly below it
};

struct MemberDoc : CommentedEntry {
  const std::string& traceText() const override { return name; }
  std::string name;         // function name, data member name, destructor without "~"
  std::string declaration;  // rebuilt declaration text
  int flags = 0;            // MemberFlag values
};

struct EnumValueDoc : CommentedEntry {
  const std::string& traceText() const override { return name; }
  std::string name;
  std::string value;  // text from "=" on as written, or empty
};

struct DeclPart : CommentedEntry {
  const std::string& traceText() const override { return declaration; }
  std::string declaration;
  int flags = 0;  // MemberFlag values
};

struct DocItem {
  virtual ~DocItem() = default;
  virtual void print(DocPrinter& printer) const = 0;
  std::string name;
  std::string fileName;  // lower-case name of the file being read when it was created
  int line = 0;          // scanner line when it was created
};

struct ClassDoc;

struct ClassLink {
  ClassDoc* cls;  // the linked class
  int relation;   // access 0..2, plus 4 for virtual
};

struct ClassDoc : DocItem {
  void print(DocPrinter& printer) const override;
  GrowableList<std::unique_ptr<MemberDoc>> members;  // in declaration order
  CommentList comments;
  GrowableList<ClassLink> bases;
  GrowableList<ClassLink> derived;
  int kind = kClassKind;  // ClassKind values
};

struct EnumDoc : DocItem {
  void print(DocPrinter& printer) const override;
  GrowableList<std::unique_ptr<EnumValueDoc>> values;
  CommentList comments;
};

struct DeclDoc : DocItem {
  void print(DocPrinter& printer) const override;
  DeclPart part;
};

class DocModel {
 public:
  /// The class of that name whose kind, abstract aside, is `kind`, else the one
  /// of the other kind (a class declared with "struct" and defined with "class"
  /// is one class); a new one at (fileName, line) when there is none.
  ClassDoc& classNamed(const std::string& name, int kind, const std::string& fileName, int line);
  /// Makes `cls` a class or a structure (abstract aside).
  void setKind(ClassDoc& cls, int kind);
  /// Moves the members, values and comments of an item read without a name
  /// ("typedef struct { ... } Name;") to the item of its name.
  static void adopt(ClassDoc& named, ClassDoc& anonymous);
  static void adopt(EnumDoc& named, EnumDoc& anonymous);
  /// The class of that name and kind (abstract aside), or none.
  ClassDoc* findClass(const std::string& name, int kind) const;
  EnumDoc& enumNamed(const std::string& name, const std::string& fileName, int line);
  /// The declaration of that name (the comments given are dropped), or a new
  /// one taking the flags, the declaration and both comment lists.
  DeclDoc& declNamed(int flags, const std::string& name, const std::string& declaration,
                     CommentList& leading, CommentList& trailing, const std::string& fileName,
                     int line);
  /// Links derived to base, once: a class read twice keeps one link.
  static void addBase(ClassDoc& derived, ClassDoc& base, int relation);
  /// The first member or value sets the item's position to (fileName, line).
  static void addEntry(ClassDoc& item, std::unique_ptr<MemberDoc> member,
                       const std::string& fileName, int line);
  static void addEntry(EnumDoc& item, std::unique_ptr<EnumValueDoc> value,
                       const std::string& fileName, int line);

  /// Every item, in creation order.
  const PtrList<DocItem>& items() const { return items_; }
  const PtrList<ClassDoc>& classes() const { return classes_; }

 private:
  template <class T>
  T& create(const std::string& name, const std::string& fileName, int line);

  GrowableList<std::unique_ptr<DocItem>> owned_;
  PtrList<DocItem> items_;
  PtrList<ClassDoc> classes_;
  PtrList<EnumDoc> enums_;
  PtrList<DeclDoc> decls_;
  /// Name lookups; the registries above keep the order.
  std::map<std::pair<std::string, int>, ClassDoc*> classIndex_;
  std::map<std::string, EnumDoc*> enumIndex_;
  std::map<std::string, DeclDoc*> declIndex_;
};

}  // namespace classdoc
