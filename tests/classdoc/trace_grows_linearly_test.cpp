// The traces of -d, -dd and -ddd grow at most linearly with the header: a
// header of repeated lines four times longer gives at most about four times
// the trace, and a bounded number of trace bytes per input byte.
#include <gtest/gtest.h>

#include "classdoc_test_support.h"

namespace classdoc::test {
namespace {

std::string repeated(const char* open, const char* line, const char* close, int times) {
  std::string text = open;
  for (int i = 0; i < times; ++i) text += line;
  return text + close;
}

TEST(ClassTrace, GrowsLinearlyWithRepeatedLines) {
  const char* lines[][3] = {{"class A {\n", "    // comment line\n", "};\n"},
                            {"", "// top-level comment\n", ""},
                            {"class B {\n", "    int x; // trailing\n    // more\n", "};\n"},
                            {"enum E {\n", "  A, // value\n", "};\n"}};
  for (int level = 1; level <= 3; ++level)
    for (const auto& [open, line, close] : lines) {
      const std::string small = repeated(open, line, close, 500), large = repeated(open, line, close, 2000);
      const std::size_t smallTrace = listingOf(small, {.debugLevel = level}).size();
      const std::size_t largeTrace = listingOf(large, {.debugLevel = level}).size();
      EXPECT_LT(largeTrace, 4.5 * smallTrace) << "level " << level << ", line " << line;
      EXPECT_LT(largeTrace, 100 * large.size()) << "level " << level << ", line " << line;
    }
}

}  // namespace
}  // namespace classdoc::test
