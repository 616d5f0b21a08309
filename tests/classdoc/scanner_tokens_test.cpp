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

// Text and the tokens it gives, type and text.
TEST(HeaderScanner, TokensOfTrickyText) {
  const std::string binary = std::string("a\xff") + "b" + std::string(1, '\0') + "c";
  const std::string longName(5000, 'n'), longList = "(" + std::string(3000, 'x') + ")";
  const std::pair<std::string, std::vector<Token>> cases[] = {
      // Groups keep quoted brackets and drop comments.
      {"(a, \")\", g(b))", {{kArgList, "(a, \")\", g(b))"}}},
      {"(a /* one ) */, b // two )\n)", {{kArgList, "(a , b \n)"}}},
      {"[N / 2]", {{kArrayRef, "[N / 2]"}}},
      {"(')', '\\'')", {{kArgList, "(')', '\\'')"}}},
      // Literals with escapes; an unterminated one ends at its line.
      {R"("a\"b" 'x' '\'' "unterminated)", {{kString, R"("a\"b")"}, {kChar, "'x'"}, {kChar, R"('\'')"}, {kString, "\"unterminated"}}},
      {"\"open\nnext", {{kString, "\"open"}, {kName, "next"}}},
      // Comments in all positions; a closing line with nothing on it gives no token, a "*" inside stays.
      {"/* one\n   two */ x /* same */ // tail\n//!\n/*!*/ //! text",
       {{kMultiComment, "one"}, {kMultiComment, "   two"}, {kName, "x"}, {kMultiComment, "same"}, {kComment, "// tail"},
        {kIgnore, "//!"}, {kIgnore, "!"}, {kComment, "//! text"}}},
      {"/* a * b\n */ y", {{kMultiComment, "a * b"}, {kName, "y"}}},
      {"/* never\nclosed", {{kMultiComment, "never"}, {kMultiComment, "closed"}}},  // ends at the end of the file
      // Numbers, names, keywords and operators.
      {"3.14 _a1 classy class ->", {{kNumber, "3"}, {'.', "."}, {kNumber, "14"}, {kName, "_a1"}, {kName, "classy"},
                                    {kClass, "class"}, {'-', "-"}, {'>', ">"}}},
      {"a/b", {{kName, "a"}, {'/', "/"}, {kName, "b"}}},
      // Preprocessor lines: a trailing backslash continues one, an escape inside does not end it,
      // and a block comment opened in one is skipped whole.
      {"#include <x>\nint", {{kName, "int"}}},
      {"#define A(x) \\\n  (x + '\\n')\nafter", {{kName, "after"}}},
      {"#endif /* a\n b */ d\nc", {{kName, "c"}}},
      {"#define X \\", {}},
      // High bytes are text; long tokens are kept whole.
      {binary, {{kName, "a"}, {0xFF, "\xff"}, {kName, "b"}, {0, std::string(1, '\0')}, {kName, "c"}}},
      {longName + " " + longList, {{kName, longName}, {kArgList, longList}}},
  };
  for (const auto& [text, tokens] : cases) EXPECT_EQ(scanAll(text), tokens) << text.substr(0, 60);
  // CRLF reads as LF.
  EXPECT_EQ(scanAll("// a\r\n#define X \\\r\n 1\r\nb\r\n"), scanAll("// a\n#define X \\\n 1\nb\n"));
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
