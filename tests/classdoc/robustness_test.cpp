// Malformed and hostile input ends cleanly with what was collected; lists that
// cannot grow end the run with a message instead of dropping entries.
#include <gtest/gtest.h>

#include <random>

#include "classdoc_test_support.h"
#include "fatal_exit.h"
#include "ptr_list.h"

namespace classdoc::test {
namespace {

TEST(Robustness, UnterminatedConstructsKeepWhatWasCollected) {
  ParsedHeader body("class Open { public: int kept; void f() { if (x) {");
  EXPECT_NE(body.member("Open", "kept"), nullptr);
  ParsedHeader comment("class C { public: int a; /* never closed\n int b;");
  EXPECT_NE(comment.member("C", "a"), nullptr);
  EXPECT_EQ(comment.member("C", "b"), nullptr);
  ParsedHeader string("class S { public: const char* s = \"open\n; int after; };");
  EXPECT_NE(string.member("S", "after"), nullptr);
  ParsedHeader enumeration("enum E { A = 1, B");
  EXPECT_EQ(dynamic_cast<const EnumDoc&>(*enumeration.item("E")).values.count(), 2);
}

TEST(Robustness, StrayClosingBraceAndEmptyInput) {
  ParsedHeader stray("}\n} class After { public: int x; };");
  EXPECT_NE(stray.member("After", "x"), nullptr);
  EXPECT_EQ(listingOf(""), "");
  // A missing ";" before "}" does not swallow the rest of the class.
  ParsedHeader missing("class M { public: int x }; class N { public: int y; };");
  EXPECT_NE(missing.member("N", "y"), nullptr);
  EXPECT_EQ(missing.cls("M").members.count(), 0);
}

TEST(Robustness, DeepNestingDoesNotExhaustTheStack) {
  std::string header;
  for (int i = 0; i < 20000; ++i) header += "struct s" + std::to_string(i) + " : s" + std::to_string(i + 1) + " {";
  EXPECT_NO_THROW(listingOf(header));
  std::string chain;
  for (int i = 0; i < 2000; ++i)
    chain += "struct c" + std::to_string(i) + " : c" + std::to_string(i + 1) + " { int m; };\n";
  EXPECT_NO_THROW(listingOf(chain));
}

TEST(Robustness, LatticeOfSharedBasesStaysBounded) {
  std::string header = "class A0 {};\n";
  for (int i = 0; i < 16; ++i) {
    const std::string n = std::to_string(i), next = std::to_string(i + 1);
    header += "class L" + n + " : public A" + n + " {};\nclass R" + n + " : public A" + n +
              " {};\nclass A" + next + " : public L" + n + ", public R" + n +
              " { public: int m" + next + "; };\n";
  }
  const std::string listing = listingOf(header);
  EXPECT_LT(listing.size(), 100'000'000u);
  EXPECT_NE(listing.find("...\n"), std::string::npos);
}

TEST(Robustness, RandomBytesNeverCrash) {
  std::mt19937 random(12345);
  const std::string alphabet = "class struct enum public: {}();=0~/*!\n\r\"'#\\<>,:[]x\xff";
  for (int run = 0; run < 300; ++run) {
    std::string text;
    const int length = static_cast<int>(random() % 400);
    for (int i = 0; i < length; ++i) {
      if (random() % 3 == 0)
        text += alphabet[random() % alphabet.size()];
      else
        text += static_cast<char>(random() % 256);
    }
    ClassToolOptions options;
    options.printPrivate = run % 2 == 0;
    options.sortAlphabetical = run % 3 != 0;
    EXPECT_NO_THROW(listingOf(text, options));
  }
}

TEST(GrowableList, FullListEndsTheRunInsteadOfDroppingEntries) {
  GrowableList<int> list(3);
  list.append(1);
  list.append(2);
  list.append(3);
  try {
    list.append(4);
    FAIL() << "a fourth entry was accepted";
  } catch (const FatalExit& fatal) {
    EXPECT_EQ(fatal.exitCode, 1);
    EXPECT_EQ(fatal.message, "*** Error *** A list cannot grow beyond 3 entries");
  }
  EXPECT_EQ(list.count(), 3);
  GrowableList<int> other(3);
  other.append(9);
  EXPECT_THROW(list.append(other), FatalExit);
}

TEST(CommentList, AppendCutsAtNewlineAndMovesLines) {
  CommentList first, second;
  first.append("one\ntwo");
  second.append("three");
  first.append(second);
  EXPECT_EQ(lines(first), (std::vector<std::string>{"one", "three"}));
  EXPECT_TRUE(second.empty());
  NameList names;
  names.addUnique("x");
  names.addUnique("x");
  names.addUnique("X");
  EXPECT_EQ(names.count(), 2);
}

}  // namespace
}  // namespace classdoc::test
