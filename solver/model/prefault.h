// Fresh memory costs a page fault at the first write to each 4 kB page, taken
// one page at a time by the thread that writes. The large tables that one
// thread fills (the model's records, the analysis's per-point arrays) have
// their pages mapped ahead instead: in one call per thread, which the system
// does faster than page by page, and on all threads.
#pragma once

#include <cstddef>
#include <vector>

namespace zelk {

// Maps the pages of [begin, begin + bytes) for writing, spread over the
// threads. A hint only: where the system cannot, nothing happens.
void prefaultForWrite(void* begin, std::size_t bytes);

// table becomes count value-initialised records, its pages mapped ahead.
template <typename Record>
void resizeFresh(std::vector<Record>& table, std::size_t count) {
    table.clear();
    table.reserve(count);
    prefaultForWrite(table.data(), count * sizeof(Record));
    table.resize(count);
}

}  // namespace zelk
