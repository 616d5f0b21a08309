// The parse traces of -d, -dd and -ddd grow linearly with the input, also for
// one class and one declaration that collect the comments of every repetition.
#include <gtest/gtest.h>

#include <string>

#include "classdoc_test_support.h"

namespace classdoc::test {
namespace {

double traceBytesPerInputByte(int debugLevel, int repetitions) {
  const std::string unit =
      "// A widget\nclass Widget : public Base {\npublic:\n  // draws it\n  void draw();\n"
      "  int x; // x pos\n};\n/* block\n   comment */\nstatic int counter;\n";
  std::string header;
  for (int i = 0; i < repetitions; ++i) header += unit;
  ClassToolOptions options;
  options.debugLevel = debugLevel;
  return static_cast<double>(listingOf(header, options).size()) / static_cast<double>(header.size());
}

TEST(ParseTrace, SizePerInputByteStaysTheSameWhenTheInputGrows) {
  for (int level = 1; level <= 3; ++level) {
    const double small = traceBytesPerInputByte(level, 100), large = traceBytesPerInputByte(level, 800);
    EXPECT_LT(large, small * 1.1) << "level " << level;
    EXPECT_LT(large, 40.0) << "level " << level;
  }
}

}  // namespace
}  // namespace classdoc::test
