// Constructs of real library headers (export macros, documentation comment
// markers, anonymous nested types, typedefs, qualified definitions), each
// reduced to a few lines, with the items and members they must give.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>

#include "classdoc_test_support.h"

namespace classdoc::test {
namespace {

std::string described(std::initializer_list<const CommentList*> lists) {
  std::string text;
  for (const CommentList* list : lists)
    for (const std::string& line : *list) text += (text.empty() ? "" : "|") + line;
  return text.empty() ? "" : "[" + text + "]";
}

std::string described(const CommentedEntry& entry) {
  return described({&entry.leadingComments, &entry.trailingComments});
}

// Every item in creation order: "Name[description]:Base{member,#protected,-private[description]}",
// "typedef " before a typedef member, "enum Name{values}", "decl name".
std::string summary(const std::string& header) {
  const ParsedHeader parsed(header);
  std::string text;
  for (const DocItem* item : parsed.model().items()) {
    if (!text.empty()) text += ' ';
    if (auto cls = dynamic_cast<const ClassDoc*>(item)) {
      text += cls->name + described({&cls->comments});
      const char* separator = ":";
      for (const ClassLink& base : cls->bases) text += std::exchange(separator, ",") + base.cls->name;
      text += '{';
      separator = "";
      for (const auto& member : cls->members) {
        static const char* const accessMarks[] = {"", "#", "-"};
        text += std::exchange(separator, ",");
        text += accessMarks[member->flags & kAccessMask];
        text += (member->flags & kTypedefFlag ? "typedef " : "") + member->name + described(*member);
      }
      text += '}';
    } else if (auto enumeration = dynamic_cast<const EnumDoc*>(item)) {
      text += "enum " + enumeration->name + '{';
      for (const auto& value : enumeration->values) text += value->name + ' ';
      text += '}';
    } else {
      text += "decl " + item->name + described(dynamic_cast<const DeclDoc*>(item)->part);
    }
  }
  return text;
}

TEST(RealHeaderConstructs, ItemsAndMembersAsTheAuthorsMeant) {
  const struct {
    const char* header;
    const char* expected;
  } cases[] = {
      // Export macro in the class head.
      {"class FL_EXPORT Widget : public Base { public: void draw(); };\nclass Next { int n; };",
       "Widget:Base{draw} Base{} Next{-n}"},
      // Doxygen block comments before a member document the member below.
      {"struct S { /** label text */ const char* value; /** optional image */ Image* image;\n"
       "/*! a flag */ bool flag; };",
       "S{value[label text],image[optional image],flag[a flag]}"},
      // Line markers: "///" and "//!" document the member below, "///<" the one before.
      {"struct S {\n  /// first\n  int a;\n  //! second\n  int b;\n  int* other; ///< the other body\n"
       "  int last; //!< the last\n};",
       "S{a[first],b[second],other[the other body],last[the last]}"},
      {"class P { public:\n  /** Left. */\n  static int x(); // platform\n  /** Top. */\n  static int y();\n};",
       "P{x[Left.|// platform],y[Top.]}"},
      // A macro wrapped around the class keyword.
      {"ATTRIBUTE_ALIGNED16(class) ConeShape : public ConvexShape { public: int h; };",
       "ConeShape:ConvexShape{h} ConvexShape{}"},
      // Anonymous nested types do not end their class; an anonymous union's members are the class's.
      {"class W { protected: void x(int); enum { INACTIVE = 1 }; struct { int p; } pos;\n"
       "union { int i; float f; }; public: void activate(); };",
       "W{#x,#pos,#i,#f,activate}"},
      // Macros after the parameter list rename nothing.
      {"class Pad { public: virtual ~Pad() THROWS(X) {} int refresh() CXX_OVERRIDE;\n"
       "Pad(const A& a) NOEXCEPT_MACRO : Base(a) {} Pad(int) /* note */ : v(1) {} };",
       "Pad{Pad,refresh,Pad,Pad[note]}"},
      // Member typedefs and aliases; several names in one declaration.
      {"struct V { typedef int size_type; using value_type = double; int x_, y_, w_, h_; };",
       "V{typedef size_type,value_type,x_,y_,w_,h_}"},
      {"struct L { char f[9], ///< file\n  n[3]; ///< name\n};\nstatic int a, ///< first\n  b;",
       "L{f[file],n[name]} decl a[first] decl b"},
      // A licence block at the top of the file describes nothing.
      {"/* Copyright (c) 2001 Someone. Licensed under the MIT licence. */\nclass Fwd;\n/// A class.\nclass Fwd { int f; };",
       "Fwd[A class.]{-f}"},
      {"// SPDX-License-Identifier: MIT\nclass A { int a; };", "A{-a}"},
      // A documentation block above a declaration that is not listed goes nowhere else.
      {"/// The depth.\nconstexpr int kDepth = 8;\n\n/** The space. */\nnamespace ns {\nclass A { int a; };\n}", "A{-a}"},
      // An out-of-line inline member is not a file-level declaration; a free one is.
      {"class State { public: bool KeepRunning(); };\ninline bool State::KeepRunning() { return true; }\n"
       "inline int helper() { return 1; }",
       "State{KeepRunning} decl helper"},
      // A member template with a default argument; a typedef'd anonymous enum.
      {"struct T { template <typename U = int> U get() const; };\ntypedef enum { REQ_A, REQ_B } Pad_Request;",
       "T{get} enum Pad_Request{REQ_A REQ_B }"},
      // A macro after "namespace"; a nested class defined outside its class.
      {"namespace std VISIBILITY_MACRO(default) { class vector { public: int size(); }; }\n"
       "struct State::Iterator { int pos; };",
       "vector{size} Iterator{pos}"},
      // Friends are not members; a name in parentheses keeps a macro of that name off it.
      {"class F { public: friend class G; friend bool eq(F a, F b) { return true; } // equal\n"
       "  inline int (index)() const; };",
       "F{index}"},
      // A macro call alone in a class is no member (a constructor is); an export macro before a nested class.
      {"class RGB { public: DECLARE_ALLOCATOR(); RGB(); API class Inner { int i; }; int after; };",
       "RGB{RGB,after} Inner{-i}"},
      // A declaration and a definition with different keywords are one class.
      {"struct X;\nclass X { public: int x; };", "X{x}"},
      // "//!" at the end of a member's line leaves the member out; alone at file level it ends the file.
      {"class E { public: int kept; int hidden; //!\n};\n//!\nclass Lost { int l; };", "E{kept}"},
  };
  for (const auto& c : cases) EXPECT_EQ(summary(c.header), c.expected) << c.header;
}

}  // namespace
}  // namespace classdoc::test
