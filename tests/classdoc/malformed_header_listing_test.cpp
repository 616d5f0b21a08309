// Malformed headers through the built class program: each ends with exit
// status 0, nothing on standard error and exactly the listing of the items
// recognised before (and after) the damage.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

std::string readWhole(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

struct Listing {
  int status;
  std::string out;
  std::string err;
};

// Writes the header as h.h into a scratch folder and lists it, under a time limit.
Listing listHeader(const std::string& header) {
  const fs::path scratch = fs::temp_directory_path() / ("classdoc_malformed_" + std::to_string(getpid()));
  fs::create_directories(scratch);
  std::ofstream(scratch / "h.h", std::ios::binary) << header;
  const std::string command = "cd '" + scratch.string() + "' && timeout -k 5 60 '" CLASS_PROGRAM
                              "' h.h > out.txt 2> err.txt";
  const int raw = std::system(command.c_str());
  Listing listing{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readWhole(scratch / "out.txt"),
                  readWhole(scratch / "err.txt")};
  fs::remove_all(scratch);
  return listing;
}

void expectListing(const std::string& header, const std::string& expected) {
  const Listing listing = listHeader(header);
  EXPECT_EQ(listing.status, 0);
  EXPECT_EQ(listing.err, "");
  EXPECT_EQ(listing.out, expected);
}

// The listing of a class with one public int member.
std::string classWithInt(const std::string& name, const std::string& member) {
  return "\nclass " + name + "\n" + std::string(6 + name.size(), '=') + "\n#include \"h.h\"\n\nPublic Members\n" +
         "--------------\n" + member + ":\n    int " + member + "\n\n";
}

TEST(MalformedHeaders, UnbalancedOpeningBraceKeepsTheOpenClass) {
  expectListing("/// A point.\nclass Point {\npublic:\n  int x; ///< abscissa\n  void move(int dx);\n",
                "\nclass Point\n===========\n#include \"h.h\"\n\n\nA point.\n////////\n\nPublic Members\n"
                "--------------\nx:\n    int x\n\n< abscissa\n//////////\nmove:\n    void move(int dx)\n\n");
  // Braces opened inside a class and never closed swallow what follows.
  expectListing("class Outer { public: int kept; " + std::string(100000, '{') +
                    "\nclass Lost { public: int l; };\n",
                classWithInt("Outer", "kept"));
}

TEST(MalformedHeaders, StrayClosingBracesAreSkipped) {
  expectListing("}}}\nclass A { public: int a; }; }}\n/// B doc\nclass B { public: int b; }; ) ] >\n",
                classWithInt("A", "a") +
                    "\nclass B\n=======\n#include \"h.h\"\n\n\nB doc\n/////\n\nPublic Members\n--------------\n"
                    "b:\n    int b\n\n");
}

TEST(MalformedHeaders, UnterminatedCommentEndsTheFile) {
  expectListing("class A { public: int a; };\n/* never closed\nclass B { public: int b; };\n",
                classWithInt("A", "a"));
  expectListing("class A { public: int a; };\n/// a documentation comment at the very end", classWithInt("A", "a"));
}

TEST(MalformedHeaders, UnterminatedStringsEndAtTheLine) {
  expectListing("class A { public: const char* s = \"never closed\n  int after; };\nclass B { public: int b; };\n",
                "\nclass A\n=======\n#include \"h.h\"\n\nPublic Members\n--------------\ns:\n    const char* s\n\n" +
                    classWithInt("B", "b"));
  expectListing("class A { public: int a; };\nchar c = 'x;\n", classWithInt("A", "a"));
}

TEST(MalformedHeaders, DeepNestingIsNeitherACrashNorAHang) {
  expectListing("class Outer { public: int kept; void f() " + std::string(100000, '{') + std::string(100000, '}') +
                    " int after; };\nclass Next { public: int n; };\n",
                classWithInt("Next", "n") +
                    "\nclass Outer\n===========\n#include \"h.h\"\n\nPublic Members\n--------------\n"
                    "kept:\n    int kept\nf:\n    inline void f()\nafter:\n    int after\n\n");
  // Parentheses never closed swallow the rest of the file; the class they opened in stays.
  expectListing("class A { void f" + std::string(20000, '(') + ");\n};\n" + "class B { public: int b; };\n",
                "\nclass A\n=======\n#include \"h.h\"\n\n");
}

TEST(MalformedHeaders, VeryLongLinesAreCutAt1023Characters) {
  const std::string name(100000, 'L'), member(50000, 'm');
  const std::string cutName(1023, 'L'), cutMember(1023, 'm');
  expectListing("class " + name + " { public: int " + member + "; };\n",
                "\nclass " + cutName.substr(6) + "\n" + std::string(1023, '=') + "\n#include \"h.h\"\n\n" +
                    "Public Members\n--------------\n" + cutMember + ":\n    " + ("int " + member).substr(0, 1023) +
                    "\n\n");
  expectListing("/// " + std::string(100000, 'c') + "\nclass A { public: int a; };\n",
                "\nclass A\n=======\n#include \"h.h\"\n\n\n" + std::string(1023, 'c') + "\n" + std::string(1023, '/') +
                    "\n\nPublic Members\n--------------\na:\n    int a\n\n");
}

TEST(MalformedHeaders, BinaryDataAroundAClass) {
  std::string header("\x00\xff\xfe\x01junk\x00;\x7f\x80}\n", 13);
  header += "class After { public: int x; };\n";
  header += std::string(10, '\0') + "class \xff\xfe { int y; };\n";
  expectListing(header, classWithInt("After", "x"));
  // Nothing but bytes: an empty listing.
  std::string noise;
  for (int i = 0; i < 4096; ++i) noise += static_cast<char>((i * 167 + 13) % 256);
  const Listing listing = listHeader(noise);
  EXPECT_EQ(listing.status, 0);
  EXPECT_EQ(listing.err, "");
}

}  // namespace
