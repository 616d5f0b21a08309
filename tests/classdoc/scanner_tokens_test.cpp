// Token sequences of the header scanner for tricky text.
#include <gtest/gtest.h>

#include <sstream>

#include "classdoc_test_support.h"

namespace classdoc::test {
namespace {

TEST(HeaderScanner, DeclarationTokensAndWhitespace) {
  std::ostringstream trace;
  int debugLevel = 0;
  HeaderScanner scanner(trace, debugLevel);
  scanner.openText("int f(int a, int b) const;", "t.h");
  EXPECT_EQ(scanner.nextToken(), kName);
  EXPECT_EQ(scanner.nextToken(), kName);
  EXPECT_EQ(scanner.currentText(), "f");
  EXPECT_EQ(scanner.whitespace(), " ");
  EXPECT_EQ(scanner.nextToken(), kArgList);
  EXPECT_EQ(scanner.currentText(), "(int a, int b)");
  EXPECT_EQ(scanner.whitespace(), "");
  EXPECT_EQ(scanner.nextToken(), kConst);
  EXPECT_EQ(scanner.whitespace(), " ");
  EXPECT_EQ(scanner.nextToken(), ';');
  EXPECT_EQ(scanner.nextToken(), kEndOfFile);
  EXPECT_EQ(scanner.nextToken(), kEndOfFile);
}

TEST(HeaderScanner, GroupsKeepQuotedBracketsAndDropComments) {
  EXPECT_EQ(scanAll("(a, \")\", g(b))"), (std::vector<Token>{{kArgList, "(a, \")\", g(b))"}}));
  EXPECT_EQ(scanAll("(a /* one ) */, b // two )\n)"),
            (std::vector<Token>{{kArgList, "(a , b \n)"}}));
  EXPECT_EQ(scanAll("[N / 2]"), (std::vector<Token>{{kArrayRef, "[N / 2]"}}));
  EXPECT_EQ(scanAll("(')', '\\'')"), (std::vector<Token>{{kArgList, "(')', '\\'')"}}));
}

TEST(HeaderScanner, LiteralsWithEscapes) {
  EXPECT_EQ(scanAll(R"("a\"b" 'x' '\'' "unterminated)"),
            (std::vector<Token>{{kString, R"("a\"b")"},
                                {kChar, "'x'"},
                                {kChar, R"('\'')"},
                                {kString, "\"unterminated"}}));
  // An unterminated literal ends at its line.
  EXPECT_EQ(scanAll("\"open\nnext"), (std::vector<Token>{{kString, "\"open"}, {kName, "next"}}));
}

TEST(HeaderScanner, CommentsInAllPositions) {
  EXPECT_EQ(scanAll("/* one\n   two */ x /* same */ // tail\n//!\n/*!*/ //! text"),
            (std::vector<Token>{{kMultiComment, "one"},
                                {kMultiComment, "   two"},
                                {kName, "x"},
                                {kMultiComment, "same"},
                                {kComment, "// tail"},
                                {kIgnore, "//!"},
                                {kIgnore, "!"},
                                {kComment, "//! text"}}));
  // A closing line with nothing on it gives no token; a "*" inside stays.
  EXPECT_EQ(scanAll("/* a * b\n */ y"),
            (std::vector<Token>{{kMultiComment, "a * b"}, {kName, "y"}}));
  // Unterminated comments end at the end of the file.
  EXPECT_EQ(scanAll("/* never\nclosed"),
            (std::vector<Token>{{kMultiComment, "never"}, {kMultiComment, "closed"}}));
}

TEST(HeaderScanner, NumbersNamesKeywordsAndOperators) {
  EXPECT_EQ(scanAll("3.14 _a1 classy class ->"),
            (std::vector<Token>{{kNumber, "3"},
                                {'.', "."},
                                {kNumber, "14"},
                                {kName, "_a1"},
                                {kName, "classy"},
                                {kClass, "class"},
                                {'-', "-"},
                                {'>', ">"}}));
  EXPECT_EQ(scanAll("a/b"), (std::vector<Token>{{kName, "a"}, {'/', "/"}, {kName, "b"}}));
}

TEST(HeaderScanner, PreprocessorLinesAndContinuations) {
  EXPECT_EQ(scanAll("#include <x>\nint"), (std::vector<Token>{{kName, "int"}}));
  // A trailing backslash continues the directive; an escape inside does not end it.
  EXPECT_EQ(scanAll("#define A(x) \\\n  (x + '\\n')\nafter"),
            (std::vector<Token>{{kName, "after"}}));
  // A block comment opened in a directive is skipped whole.
  EXPECT_EQ(scanAll("#endif /* a\n b */ d\nc"), (std::vector<Token>{{kName, "c"}}));
  EXPECT_EQ(scanAll("#define X \\"), std::vector<Token>{});
}

TEST(HeaderScanner, CrlfReadsAsLfAndHighBytesAreText) {
  EXPECT_EQ(scanAll("// a\r\n#define X \\\r\n 1\r\nb\r\n"),
            scanAll("// a\n#define X \\\n 1\nb\n"));
  const std::string binary = std::string("a\xff") + "b" + std::string(1, '\0') + "c";
  EXPECT_EQ(scanAll(binary), (std::vector<Token>{{kName, "a"},
                                                 {0xFF, "\xff"},
                                                 {kName, "b"},
                                                 {0, std::string(1, '\0')},
                                                 {kName, "c"}}));
}

TEST(HeaderScanner, TemplateArgumentsJoinTheNameOnlyWhenAdjacent) {
  std::ostringstream trace;
  int debugLevel = 0;
  HeaderScanner scanner(trace, debugLevel);
  scanner.openText("Map<K, V<int> > Map <K>", "t.h");
  EXPECT_EQ(scanner.nextTokenWithArgs(), kName);
  EXPECT_EQ(scanner.currentText(), "Map<K, V<int> >");
  EXPECT_EQ(scanner.nextTokenWithArgs(), kName);
  EXPECT_EQ(scanner.currentText(), "Map");
  EXPECT_EQ(scanner.nextTokenWithArgs(), '<');
}

TEST(HeaderScanner, LongTokensAreKeptWhole) {
  const std::string longName(5000, 'n');
  const std::string longList = "(" + std::string(3000, 'x') + ")";
  EXPECT_EQ(scanAll(longName + " " + longList),
            (std::vector<Token>{{kName, longName}, {kArgList, longList}}));
}

TEST(HeaderScanner, ManyCharactersGivenBackComeBackInOrder) {
  std::ostringstream trace;
  int debugLevel = 0;
  HeaderScanner scanner(trace, debugLevel);
  scanner.openText("z", "t.h");
  const std::string back = "abcdefghijklmnopqrstuvwxyz\n";
  for (auto c = back.rbegin(); c != back.rend(); ++c) scanner.unreadChar(*c);
  EXPECT_EQ(scanner.line(), 0);
  std::string read;
  for (std::size_t i = 0; i < back.size(); ++i) read += static_cast<char>(scanner.readChar());
  EXPECT_EQ(read, back);
  EXPECT_EQ(scanner.readChar(), 'z');
  EXPECT_EQ(scanner.readChar(), -1);
}

}  // namespace
}  // namespace classdoc::test
