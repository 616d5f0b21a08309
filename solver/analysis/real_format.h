// Numbers written as a stream in its default float field writes them (the
// text of printf's "%*.*g", or "%#*.*g" with showpoint), several times
// faster: the node files hold millions of them.
#pragma once

#include <string>

namespace zelk {

// Appends value right-aligned in width characters with precision significant digits.
void appendReal(std::string& text, double value, int width, int precision, bool showpoint);

// Appends value right-aligned in width characters.
void appendInt(std::string& text, int value, int width);

}  // namespace zelk
