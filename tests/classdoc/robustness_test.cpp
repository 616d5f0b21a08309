// Malformed and hostile input ends cleanly with what was collected; lists that
// cannot grow end the run with a message instead of dropping entries.
#include <gtest/gtest.h>

#include <random>

#include "classdoc_test_support.h"
#include "fatal_exit.h"
#include "ptr_list.h"

namespace classdoc::test {
namespace {

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

}  // namespace
}  // namespace classdoc::test
