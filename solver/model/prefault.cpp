#include "model/prefault.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

#include <omp.h>

namespace zelk {

namespace {

// Below this a table's faults cost less than waking the threads.
constexpr std::size_t kPrefaultBytes = std::size_t{1} << 20;

}  // namespace

void prefaultForWrite(void* begin, std::size_t bytes) {
#ifdef MADV_POPULATE_WRITE
    if (bytes < kPrefaultBytes) return;
    const std::uintptr_t page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    // Whole pages only: the partial pages at either end may hold other data.
    const std::uintptr_t first = (reinterpret_cast<std::uintptr_t>(begin) + page - 1) / page;
    const std::uintptr_t last = (reinterpret_cast<std::uintptr_t>(begin) + bytes) / page;
    if (last <= first) return;
    const std::uintptr_t pages = last - first;
#pragma omp parallel
    {
        const std::uintptr_t threads = static_cast<std::uintptr_t>(omp_get_num_threads());
        const std::uintptr_t me = static_cast<std::uintptr_t>(omp_get_thread_num());
        const std::uintptr_t from = first + pages * me / threads, to = first + pages * (me + 1) / threads;
        if (to > from) madvise(reinterpret_cast<void*>(from * page), (to - from) * page, MADV_POPULATE_WRITE);
    }
#else
    static_cast<void>(begin);
    static_cast<void>(bytes);
#endif
}

}  // namespace zelk
