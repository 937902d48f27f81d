#pragma once

// Counts every operator new of the process (and of each thread), so a test or
// a benchmark can show that a hot path allocates nothing. Include in exactly
// one file of a program: it replaces the global operator new and delete.

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

namespace quillon::testing {
inline std::atomic<long> allocationCount{0};
inline thread_local long allocationsOnThisThread = 0;
}  // namespace quillon::testing

// malloc/free behind new/delete is the point of the replacement; GCC cannot
// see that the two are paired and warns at some optimisation levels.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
    quillon::testing::allocationCount.fetch_add(1, std::memory_order_relaxed);
    ++quillon::testing::allocationsOnThisThread;
    if (void* p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
#pragma GCC diagnostic pop
