// Which comment lines document which item, one group of rules at a time.
#include <gtest/gtest.h>

#include "classdoc_test_support.h"

namespace classdoc::test {
namespace {

using Lines = std::vector<std::string>;

TEST(CommentAttachment, BelowJoinsThePreviousMemberAndBlankLineStartsTheNext) {
  ParsedHeader parsed(
      "class A {\n"
      "public:\n"
      "  int first;\n"
      "  // about first\n"
      "\n"
      "  // about second\n"
      "  int second;\n"
      "};\n");
  EXPECT_EQ(lines(parsed.member("A", "first")->trailingComments), Lines{"// about first"});
  EXPECT_EQ(lines(parsed.member("A", "second")->leadingComments), Lines{"// about second"});
  EXPECT_TRUE(parsed.member("A", "first")->leadingComments.empty());
}

TEST(CommentAttachment, SameLineCommentJoinsTheMember) {
  ParsedHeader parsed("struct S {\n  int a; // of a\n  int b;\n};\n");
  EXPECT_EQ(lines(parsed.member("S", "a")->trailingComments), Lines{"// of a"});
  EXPECT_TRUE(parsed.member("S", "b")->leadingComments.empty());
}

TEST(CommentAttachment, CommentsInsideADeclarationTrailIt) {
  ParsedHeader parsed("struct S {\n  void f(int a) /* inside */ const;\n};\n");
  EXPECT_EQ(lines(parsed.member("S", "f")->trailingComments), Lines{"inside"});
}

TEST(CommentAttachment, ClassAndEnumTakeTheBlockAbove) {
  ParsedHeader parsed(
      "// dropped: a blank line and nothing pending\n"
      "\n"
      "/* the class\n"
      "   in two lines */\n"
      "class C {};\n"
      "// the enum\n"
      "enum E { A, // of A\n"
      "  B = 2 };\n");
  EXPECT_EQ(lines(parsed.cls("C").comments), (Lines{"the class", "   in two lines"}));
  const auto& item = dynamic_cast<const EnumDoc&>(*parsed.item("E"));
  EXPECT_EQ(lines(item.comments), Lines{"// the enum"});
  ASSERT_EQ(item.values.count(), 2);
  EXPECT_EQ(lines(item.values[0]->trailingComments), Lines{"// of A"});
  EXPECT_EQ(item.values[1]->name, "B");
  EXPECT_EQ(item.values[1]->value, " = 2");
}

TEST(CommentAttachment, FileLevelDeclarationsLeadingAndTrailing) {
  ParsedHeader parsed(
      "// counts things\n"
      "extern int counter;\n"
      "// more on counter\n"
      "\n"
      "// a callback\n"
      "typedef void (*Callback)(int);\n");
  const auto& counter = dynamic_cast<const DeclDoc&>(*parsed.item("counter"));
  EXPECT_EQ(lines(counter.part.leadingComments), Lines{"// counts things"});
  EXPECT_EQ(lines(counter.part.trailingComments), Lines{"// more on counter"});
  EXPECT_EQ(counter.part.declaration, "int counter");
  const auto& callback = dynamic_cast<const DeclDoc&>(*parsed.item("Callback"));
  EXPECT_EQ(callback.part.flags, kTypedefFlag);
  EXPECT_EQ(callback.part.declaration, "void (*Callback)(int)");
  EXPECT_EQ(lines(callback.part.leadingComments), Lines{"// a callback"});
}

TEST(CommentAttachment, ExclusionMarker) {
  ParsedHeader parsed(
      "class A {\n"
      "  int shown;\n"
      "  int hidden; //!\n"
      "};\n"
      "//!\n"
      "class NeverRead {};\n");
  EXPECT_NE(parsed.member("A", "shown"), nullptr);
  EXPECT_EQ(parsed.member("A", "hidden"), nullptr);
  EXPECT_EQ(parsed.item("NeverRead"), nullptr);
}

TEST(CommentAttachment, ExternCBlockAndStaticConstInline) {
  ParsedHeader parsed(
      "extern \"C\" {\n"
      "extern int plain;\n"
      "}\n"
      "extern \"C\" int tagged(void);\n"
      "const int N = 5;\n"
      "inline int twice(int x) { return 2 * x; }\n");
  const auto& plain = dynamic_cast<const DeclDoc&>(*parsed.item("plain"));
  EXPECT_EQ(plain.part.flags, 0);
  const auto& tagged = dynamic_cast<const DeclDoc&>(*parsed.item("tagged"));
  EXPECT_EQ(tagged.part.flags, kExternCFlag);
  EXPECT_EQ(tagged.part.declaration, "\"C\" int tagged(void)");
  const auto& n = dynamic_cast<const DeclDoc&>(*parsed.item("N"));
  EXPECT_EQ(n.part.flags, kStaticFlag);
  EXPECT_EQ(n.part.declaration, "const int N");
  const auto& twice = dynamic_cast<const DeclDoc&>(*parsed.item("twice"));
  EXPECT_EQ(twice.part.flags, kStaticFlag | kInlineFlag);
}

}  // namespace
}  // namespace classdoc::test
