// The printed listing: sections, inheritance hiding, sorting, cycles and the
// output line limit.
#include <gtest/gtest.h>

#include <sstream>

#include "classdoc_test_support.h"
#include "doc_writer.h"

namespace classdoc::test {
namespace {

TEST(Listing, PrivateMembersOnlyWithOptionUnlessVirtual) {
  const char* header = "class A { int hidden; virtual void hook(); public: int shown; };";
  const std::string plain = listingOf(header);
  EXPECT_EQ(plain.find("hidden"), std::string::npos);
  EXPECT_NE(plain.find("Private Members\n---------------\nhook:\n    virtual void hook()\n"),
            std::string::npos);
  ClassToolOptions withPrivate;
  withPrivate.printPrivate = true;
  EXPECT_NE(listingOf(header, withPrivate).find("hidden:\n    int hidden\n"), std::string::npos);
}

TEST(Listing, InheritedMembersByNameWithoutRedeclaredOnes) {
  const std::string listing = listingOf(
      "class Base {\n"
      "public:\n"
      "  Base(); ~Base(); Base& operator=(const Base&);\n"
      "  void run(); void stop(); static int made;\n"
      "protected:\n"
      "  void helper();\n"
      "};\n"
      "class Derived : public Base { public: void run(); };\n");
  const std::string expected =
      classBlock("Derived",
                 heading("Base classes") + " public Base\n\n" + publicMembers({{"run", "void run()"}}) +
                     heading("Public Members from Base") + "    stop\n\n" +
                     heading("Protected Members from Base") + "    helper\n\n",
                 "t.h");
  EXPECT_NE(listing.find(expected), std::string::npos) << listing;
}

TEST(Listing, SortedByNameIgnoringCaseOrByFileAndLine) {
  const char* header =
      "class beta {};\n"
      "class Alpha {};\n"
      "class alpha {};\n"
      "enum BETA { X };\n";
  const std::string byName = listingOf(header);
  const auto at = [&](const std::string& text, const char* title) { return text.find(title); };
  EXPECT_LT(at(byName, "class Alpha\n"), at(byName, "class alpha\n"));
  EXPECT_LT(at(byName, "class alpha\n"), at(byName, "enum BETA\n"));
  EXPECT_LT(at(byName, "enum BETA\n"), at(byName, "class beta\n"));
  ClassToolOptions byFile;
  byFile.sortAlphabetical = false;
  const std::string inFileOrder = listingOf(header, byFile);
  EXPECT_LT(at(inFileOrder, "class beta\n"), at(inFileOrder, "class Alpha\n"));
  EXPECT_LT(at(inFileOrder, "class alpha\n"), at(inFileOrder, "enum BETA\n"));
}

TEST(Listing, CommentTitlesAndPlainLines) {
  const std::string listing = listingOf(
      "//= Overview\n"
      "//- Details\n"
      "//   plain text\n"
      "class C {};\n");
  EXPECT_NE(listing.find("#include \"t.h\"\n\n\nOverview\n========\n\nDetails\n-------\n"
                         "plain text\n"),
            std::string::npos)
      << listing;
}

TEST(Listing, CyclesInBasesAreMarkedAndEnd) {
  const std::string listing = listingOf(
      "class A : public B { public: int a; };\n"
      "class B : public C { public: int b; };\n"
      "class C : public A { public: int c; };\n"
      "class Self : Self { public: int s; };\n");
  EXPECT_NE(listing.find("Base classes\n------------\n public B\n     public C\n"
                         "         public A (cycle)\n"),
            std::string::npos)
      << listing;
  EXPECT_NE(listing.find("Derived classes\n---------------\n public C\n     public B\n"
                         "         public A (cycle)\n"),
            std::string::npos)
      << listing;
  EXPECT_NE(listing.find("Public Members from C\n---------------------\n    c\n\n"
                         "Members from A (cycle)\n"),
            std::string::npos)
      << listing;
  EXPECT_NE(listing.find(" private Self (cycle)\n"), std::string::npos);
}

TEST(Listing, SharedBasesListedOnce) {
  const std::string listing = listingOf(
      "class Top { public: int top; };\n"
      "class L : public Top { public: int l; };\n"
      "class R : public Top { public: int r; };\n"
      "class D : public L, public R { public: int d; };\n");
  const std::size_t classD = listing.find("class D\n");
  const std::string ofD = listing.substr(classD, listing.find("class L\n") - classD);
  const std::size_t first = ofD.find("Public Members from Top\n");
  ASSERT_NE(first, std::string::npos) << ofD;
  EXPECT_EQ(ofD.find("Public Members from Top", first + 1), std::string::npos) << ofD;
}

TEST(DocWriter, LinesAreCutAtTheLimitWithTheirUnderline) {
  std::ostringstream out;
  {
    DocWriter writer(out);
    writer.setHeading(kClassTitle);
    writer.add(std::string(kMaxLineLength + 100, 'x'));
    writer.emit();
  }
  const std::string line(kMaxLineLength, 'x');
  EXPECT_EQ(out.str(), "\n" + line + "\n" + std::string(kMaxLineLength, '=') + "\n");
}

TEST(Listing, LongDeclarationIsCutInTheOutputOnly) {
  const std::string longName(2000, 'q');
  const std::string listing = listingOf("struct S { int " + longName + "; };");
  EXPECT_NE(listing.find("\n" + longName.substr(0, kMaxLineLength) + ":\n"), std::string::npos);
  const std::string cutLine = "    " + ("int " + longName).substr(0, kMaxLineLength) + "\n";
  EXPECT_NE(listing.find(cutLine), std::string::npos);
}

}  // namespace
}  // namespace classdoc::test
