// Names, declarations and flags of members, access sections and bases.
#include <gtest/gtest.h>

#include "classdoc_test_support.h"

namespace classdoc::test {
namespace {

TEST(MemberDeclarations, FunctionsDataAndOperators) {
  ParsedHeader parsed(
      "class Shape {\n"
      "public:\n"
      "  virtual void draw() const = 0;\n"
      "  static int count;\n"
      "  ~Shape();\n"
      "  int area() { return 0; }\n"
      "  Shape& operator=(const Shape& other);\n"
      "  bool operator==(const Shape& other) const;\n"
      "  operator bool() const;\n"
      "  int size = 0;\n"
      "  static const int limit = LIMIT;\n"
      "  int width : 4;\n"
      "};\n");
  const MemberDoc* draw = parsed.member("Shape", "draw");
  ASSERT_NE(draw, nullptr);
  EXPECT_EQ(draw->declaration, "void draw()");
  EXPECT_EQ(draw->flags, kVirtualFlag | kConstFlag | kPureFlag);
  EXPECT_EQ(parsed.member("Shape", "count")->declaration, "int count");
  EXPECT_EQ(parsed.member("Shape", "count")->flags, kStaticFlag);
  EXPECT_EQ(parsed.member("Shape", "Shape")->flags, kDestructorFlag);
  EXPECT_EQ(parsed.member("Shape", "area")->flags, kInlineFlag);
  EXPECT_EQ(parsed.member("Shape", "operator=")->declaration, "Shape& operator=(const Shape& other)");
  EXPECT_NE(parsed.member("Shape", "operator=="), nullptr);
  EXPECT_EQ(parsed.member("Shape", "operator==")->flags, kConstFlag);
  EXPECT_NE(parsed.member("Shape", "operator bool"), nullptr);
  // A data member initialised with 0 is not pure; an initial value is cut.
  EXPECT_EQ(parsed.member("Shape", "size")->flags, 0);
  EXPECT_EQ(parsed.member("Shape", "size")->declaration, "int size");
  EXPECT_EQ(parsed.member("Shape", "limit")->declaration, "const int limit");
  EXPECT_NE(parsed.member("Shape", "width"), nullptr);
  EXPECT_EQ(parsed.cls("Shape").kind, kClassKind | kAbstractKind);
}

TEST(MemberDeclarations, DataInitialisedWithZeroLeavesClassConcrete) {
  ParsedHeader parsed("class Counter { public: int value = 0; int* next = 0; };");
  EXPECT_EQ(parsed.cls("Counter").kind, kClassKind);
  EXPECT_EQ(parsed.member("Counter", "next")->flags & kPureFlag, 0);
}

TEST(MemberDeclarations, DeclaratorsInitializersAndTemplates) {
  ParsedHeader parsed(
      "class List {\n"
      "public:\n"
      "  List() : head(0), count{0} { }\n"
      "  typedef void (*Visitor)(int);\n"
      "  int (List::*member)(int) = 0;\n"
      "  template <typename U> void assign(U first);\n"
      "  std::map<int, void(*)(int)> table;\n"
      "  void old() throw();\n"
      "  void modern() noexcept override;\n"
      "};\n");
  const MemberDoc* constructor = parsed.member("List", "List");
  ASSERT_NE(constructor, nullptr);
  EXPECT_EQ(constructor->declaration, "List()");
  EXPECT_EQ(constructor->flags, kInlineFlag);
  EXPECT_EQ(parsed.cls("List").members.count(), 7);
  EXPECT_EQ(parsed.member("List", "Visitor")->declaration, "void (*Visitor)(int)");
  ASSERT_NE(parsed.member("List", "member"), nullptr);
  EXPECT_EQ(parsed.member("List", "member")->flags & kPureFlag, 0);
  EXPECT_EQ(parsed.member("List", "assign")->declaration,
            "template <typename U> void assign(U first)");
  EXPECT_NE(parsed.member("List", "table"), nullptr);
  EXPECT_EQ(parsed.member("List", "old")->declaration, "void old() throw()");
  EXPECT_NE(parsed.member("List", "modern"), nullptr);
}

TEST(MemberDeclarations, AccessIsPerClassAndResumesAfterNestedClass) {
  ParsedHeader parsed(
      "class Outer {\n"
      "protected:\n"
      "  struct Inner { int open; };\n"
      "  int guarded;\n"
      "  class Hidden { int secret; };\n"
      "  int stillGuarded;\n"
      "};\n"
      "class Plain { int secret; };\n");
  EXPECT_EQ(parsed.member("Outer", "guarded")->flags & kAccessMask, kProtectedAccess);
  EXPECT_EQ(parsed.member("Outer", "stillGuarded")->flags & kAccessMask, kProtectedAccess);
  EXPECT_EQ(parsed.member("Inner", "open")->flags & kAccessMask, kPublicAccess);
  EXPECT_EQ(parsed.member("Hidden", "secret")->flags & kAccessMask, kPrivateAccess);
  EXPECT_EQ(parsed.member("Plain", "secret")->flags & kAccessMask, kPrivateAccess);
}

TEST(MemberDeclarations, BaseAccessDefaultsAndLinks) {
  ParsedHeader parsed(
      "class D : B, public virtual V, protected P, ns::Q {};\n"
      "struct S : B {};\n"
      "class B { public: int b; };\n");
  const ClassDoc& d = parsed.cls("D");
  ASSERT_EQ(d.bases.count(), 4);
  EXPECT_EQ(d.bases[0].relation, kPrivateAccess);
  EXPECT_EQ(d.bases[1].relation, kPublicAccess | kVirtualRelation);
  EXPECT_EQ(d.bases[2].relation, kProtectedAccess);
  EXPECT_EQ(d.bases[3].cls->name, "Q");  // named like classes: by its last name
  EXPECT_EQ(d.bases[3].relation, kPrivateAccess);
  EXPECT_EQ(parsed.cls("S").bases[0].relation, kPublicAccess);
  // B was first met as a base, then declared: one item, placed at its first member.
  const ClassDoc& b = parsed.cls("B");
  EXPECT_EQ(b.derived.count(), 2);
  EXPECT_EQ(b.line, 3);
}

TEST(MemberDeclarations, TemplatesNamespacesAndScopedEnums) {
  ParsedHeader parsed(
      "template <class T, class A = alloc<T> > class Stack { public: T top(); };\n"
      "namespace outer::inner {\n"
      "class Inside { public: int x; };\n"
      "enum class Mode : unsigned { On, Off };\n"
      "}\n"
      "class Last final : public Stack<int> { public: int y; };\n");
  EXPECT_EQ(parsed.item("T"), nullptr);
  EXPECT_EQ(parsed.item("A"), nullptr);
  EXPECT_NE(parsed.member("Stack", "top"), nullptr);
  EXPECT_NE(parsed.member("Inside", "x"), nullptr);
  const auto& mode = dynamic_cast<const EnumDoc&>(*parsed.item("Mode"));
  EXPECT_EQ(mode.values.count(), 2);
  EXPECT_NE(parsed.member("Last", "y"), nullptr);
  EXPECT_EQ(parsed.cls("Last").bases[0].cls, &parsed.cls("Stack"));  // linked to the template
}

}  // namespace
}  // namespace classdoc::test
