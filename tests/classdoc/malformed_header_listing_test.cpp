// Malformed headers too large to write out (the small ones are in
// tests/e2e/data/cases/class_listing.cases): each ends with exit status 0,
// nothing on standard error and exactly the listing of the items recognised
// before (and after) the damage.
#include <gtest/gtest.h>

#include <string>

#include "classdoc_test_support.h"

namespace classdoc::test {
namespace {

void expectListing(const std::string& header, const std::string& expected) {
  const ClassRun run = runOnHeader(header);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, expected);
}

// Braces opened inside a class and never closed swallow what follows.
TEST(MalformedHeaders, UnbalancedOpeningBracesKeepTheOpenClass) {
  expectListing("class Outer { public: int kept; " + std::string(100000, '{') +
                    "\nclass Lost { public: int l; };\n",
                classWithInt("Outer", "kept"));
}

TEST(MalformedHeaders, DeepNestingIsNeitherACrashNorAHang) {
  expectListing("class Outer { public: int kept; void f() " + std::string(100000, '{') + std::string(100000, '}') +
                    " int after; };\nclass Next { public: int n; };\n",
                classWithInt("Next", "n") +
                    classBlock("Outer", publicMembers({{"kept", "int kept"}, {"f", "inline void f()"},
                                                       {"after", "int after"}})));
  // Parentheses never closed swallow the rest of the file; the class they opened in stays.
  expectListing("class A { void f" + std::string(20000, '(') + ");\n};\n" + "class B { public: int b; };\n",
                classBlock("A", ""));
}

TEST(MalformedHeaders, VeryLongLinesAreCutAt1023Characters) {
  const std::string name(100000, 'L'), member(50000, 'm');
  expectListing("class " + name + " { public: int " + member + "; };\n",
                "\nclass " + std::string(1017, 'L') + "\n" + std::string(1023, '=') + "\n#include \"h.h\"\n\n" +
                    publicMembers({{std::string(1023, 'm'), ("int " + member).substr(0, 1023)}}));
  expectListing("/// " + std::string(100000, 'c') + "\nclass A { public: int a; };\n",
                classBlock("A", std::string(1023, 'c') + "\n\n" +
                                    publicMembers({{"a", "int a"}})));
}

TEST(MalformedHeaders, BinaryDataAroundAClass) {
  std::string header("\x00\xff\xfe\x01junk\x00;\x7f\x80}\n", 13);
  header += "class After { public: int x; };\n";
  header += std::string(10, '\0') + "class \xff\xfe { int y; };\n";
  expectListing(header, classWithInt("After", "x"));
  // Nothing but bytes: an empty listing.
  std::string noise;
  for (int i = 0; i < 4096; ++i) noise += static_cast<char>((i * 167 + 13) % 256);
  const ClassRun run = runOnHeader(noise);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
}

}  // namespace
}  // namespace classdoc::test
