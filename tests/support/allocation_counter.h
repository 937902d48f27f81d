#pragma once

// Counts every operator new of the process, so a benchmark can show that a hot
// path allocates nothing. Include in exactly one file of a benchmark program.

#include <atomic>
#include <cstdlib>
#include <new>

namespace quillon::bench {
inline std::atomic<long> allocationCount{0};
}  // namespace quillon::bench

// malloc/free behind new/delete is the point of the replacement.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
    quillon::bench::allocationCount.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
#pragma GCC diagnostic pop
