// Token types of the header scanner and the one table of trace names.
#pragma once

#include <string_view>

namespace classdoc {

/// A punctuation character is its own character code; the other types are negative.
enum TokenType : int {
  kEndOfFile = -1,
  kName = -100,        // identifier that is not a keyword
  kNumber = -99,       // run of decimal digits
  kString = -98,       // double-quoted literal
  kArrayRef = -97,     // bracketed group [ ... ]
  kChar = -96,         // single-quoted literal
  kComment = -95,      // one // comment
  kMultiComment = -94, // one line of a /* */ comment
  kIgnore = -93,       // the exclusion marker //! or /*!*/
  kArgList = -92,      // parenthesised group ( ... )
  kClass = -91,        // keywords, in table order
  kStruct = -90,
  kEnum = -89,
  kPrivate = -88,
  kPublic = -87,
  kProtected = -86,
  kStatic = -85,
  kExtern = -84,
  kTypedef = -83,
  kConst = -82,
  kVolatile = -81,
  kVirtual = -80,
  kInline = -79,
  kOperator = -78,
};

/// Offset of the name table: entry type + kNameTableOffset names the type.
constexpr int kNameTableOffset = 104;

/// The four class kinds (indexed by a ClassDoc kind value), then the trace names
/// of the types -100 to -78. ORDER TokenType
inline constexpr std::string_view kTypeNames[] = {
    "class", "structure", "abstract class", "abstract structure",
    "name", "number", "string", "arrayref", "char", "comment", "multiComment",
    "ignore", "arglist",
    "class", "struct", "enum", "private", "public", "protected", "static",
    "extern", "typedef", "const", "volatile", "virtual", "inline", "operator",
};

/// Trace name of a type below -1.
inline std::string_view traceName(int type) { return kTypeNames[type + kNameTableOffset]; }

/// The keyword type of an identifier, or kName when it is not a keyword.
inline int keywordType(std::string_view text) {
  for (int type = kClass; type <= kOperator; ++type)
    if (traceName(type) == text) return type;
  return kName;
}

}  // namespace classdoc
