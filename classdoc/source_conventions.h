// Conventions of real library headers that the grammar alone does not cover:
// macros standing where the grammar has no place for a word, Doxygen's comment
// markers, and the licence block at the top of a file.
#pragma once

#include <string>
#include <string_view>

#include "comment_list.h"

namespace classdoc {

/// A word written as a macro: upper-case letters, digits and "_" (at least one
/// letter), or a compiler word such as __declspec or alignas; an argument list
/// attached to it does not count.
bool isMacroWord(std::string_view word);

/// Whom a comment documents.
enum class CommentRole {
  kPlain,        // the source's own comment rules apply
  kDocNext,      // /** /*! /// //! : the member or item below
  kDocPrevious,  // /**< /*!< ///< //!< : the member or item before
};

/// The role of a line comment (its text starts with "//").
CommentRole lineCommentRole(std::string_view text);
/// The role of a block comment, from the text of its first line ("/*" removed).
CommentRole blockCommentRole(std::string_view firstLine);
/// The text of a documentation comment line without its marker: the marker of
/// a first line or line comment, the leading "*" of a continuation line.
std::string docCommentText(std::string_view text, bool lineComment, bool firstLine);

/// A comment block that states copyright or licence terms, which describes no item.
bool isLicenceBlock(const CommentList& comments);

}  // namespace classdoc
