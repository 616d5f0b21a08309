// ASCII character classes. Bytes above 127 (and -1) belong to none of them, so
// binary input never reaches the locale-dependent <cctype> functions.
#pragma once

namespace classdoc {

inline bool isSpace(int c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
inline bool isDigit(int c) { return c >= '0' && c <= '9'; }
inline bool isLetter(int c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
inline bool isNameChar(int c) { return isLetter(c) || isDigit(c) || c == '_'; }
inline bool isPunct(int c) { return c > ' ' && c < 127 && !isLetter(c) && !isDigit(c); }
inline char toLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace classdoc
