#include "analysis/real_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace zelk {

namespace {

constexpr int kLargestPrecision = 60;

void appendPadded(std::string& text, const char* first, const char* last, int width) {
    const int length = static_cast<int>(last - first);
    if (length < width) text.append(static_cast<std::size_t>(width - length), ' ');
    text.append(first, last);
}

}  // namespace

void appendReal(std::string& text, double value, int width, int precision, bool showpoint) {
    if (precision > kLargestPrecision) {  // beyond the buffer: through the C library
        const char* const format = showpoint ? "%#*.*g" : "%*.*g";
        std::string formatted(static_cast<std::size_t>(std::snprintf(nullptr, 0, format, width, precision, value)), ' ');
        std::snprintf(formatted.data(), formatted.size() + 1, format, width, precision, value);
        text += formatted;
        return;
    }
    // The fixed form is used below 10^precision only: at most precision integer
    // digits and precision + 3 decimals.
    char buffer[3 * kLargestPrecision];
    char* const last = buffer + sizeof buffer;
    if (!std::isfinite(value)) {
        appendPadded(text, buffer, std::to_chars(buffer, last, value).ptr, width);
        return;
    }
    const int digits = std::max(precision, 1);
    // The exponent of the number rounded to that many digits picks the form.
    char* end = std::to_chars(buffer, last, value, std::chars_format::scientific, digits - 1).ptr;
    char* mark = std::find(buffer, end, 'e');
    int exponent = 0;
    std::from_chars(mark + 1 + (mark[1] == '+' ? 1 : 0), end, exponent);
    if (showpoint && exponent == digits && digits <= 22 && std::fabs(value) < std::pow(10.0, digits)) {
        // A number of digits integer digits that rounds up to the next power of
        // ten: the C library writes its mantissa as "1." alone, and so do we.
        char rounded[16] = "-1.";
        const char* const first = value < 0.0 ? rounded : rounded + 1;
        const std::size_t exponentLength = std::min<std::size_t>(static_cast<std::size_t>(end - mark), 12);
        std::memcpy(rounded + 3, mark, exponentLength);
        appendPadded(text, first, rounded + 3 + exponentLength, width);
        return;
    }
    if (exponent >= -4 && exponent < digits) {
        end = std::to_chars(buffer, last, value, std::chars_format::fixed, digits - 1 - exponent).ptr;
        mark = end;
    }
    // mark: where the exponent starts (the end for the fixed form).
    char* const point = std::find(buffer, mark, '.');
    if (showpoint) {
        if (point == mark) {  // "#" keeps the point even without decimals
            std::memmove(mark + 1, mark, static_cast<std::size_t>(end - mark));
            *mark = '.';
            ++end;
        }
    } else if (point != mark) {  // trailing zeros go, and the point with them
        char* kept = mark;
        while (kept[-1] == '0') --kept;
        if (kept[-1] == '.') --kept;
        std::memmove(kept, mark, static_cast<std::size_t>(end - mark));
        end -= mark - kept;
    }
    appendPadded(text, buffer, end, width);
}

void appendInt(std::string& text, int value, int width) {
    char buffer[16];
    appendPadded(text, buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr, width);
}

}  // namespace zelk
