// The keyword a mistyped word was most likely meant to be, for the
// "did you mean" line that follows an unknown-keyword warning.
#pragma once

#include <string>

#include "input/keyword_tables.h"

namespace zelk {

// The full word (the '$' removed) of the table entry nearest to the word by
// edit distance, compared case-insensitively with both the entry's full word
// and its required prefix; "" when no entry is close (at most one edit for
// words of up to four characters, two for longer ones) or the word is a number.
std::string nearestKeyword(const KeywordTable& table, const std::string& word);

}  // namespace zelk
