// LaIndex: a range of positions along one dimension of a matrix.
#pragma once

#include <ostream>

namespace zelk {

// Positions start, start+inc, ..., end (inclusive). The null range (0:0:0), made
// by default construction, stands for a whole dimension in a sub-matrix selection.
struct LaIndex {
    int start = 0;  // first position
    int inc = 0;    // step between positions; 1, or 0 for the null range
    int end = 0;    // last position, inclusive

    constexpr LaIndex() = default;
    // [s, e] with step 1.
    constexpr LaIndex(int s, int e) : start(s), inc(1), end(e) {}
    constexpr LaIndex(int s, int step, int e) : start(s), inc(step), end(e) {}

    // A copy never carries a step over: it has step 1, except that the null
    // range stays null (otherwise a copied "whole dimension" would become position 0).
    constexpr LaIndex(const LaIndex& o) : start(o.start), inc(o.inc == 0 ? 0 : 1), end(o.end) {}
    constexpr LaIndex& operator=(const LaIndex& o) {
        start = o.start;
        inc = o.inc == 0 ? 0 : 1;
        end = o.end;
        return *this;
    }

    // True for the null range, which selects a whole dimension.
    constexpr bool isNull() const { return inc == 0; }
};

// Printed as (start:inc:end).
inline std::ostream& operator<<(std::ostream& os, const LaIndex& r) {
    return os << '(' << r.start << ':' << r.inc << ':' << r.end << ')';
}

}  // namespace zelk
