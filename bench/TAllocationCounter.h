#pragma once

// Counts heap allocations, for the benchmarks' allocations per frame: every operator new and, with glibc,
// every malloc, calloc and realloc as well (SDL and the C libraries allocate through those). Every thread
// counts: what the frame sets going elsewhere, such as the audio thread mixing its sounds, is play too.
// Include it in one source file of a program only: it replaces the global allocation functions.
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>

class TAllocationCounter {
  public:
    static int64_t Count() { return Allocations.load(std::memory_order_relaxed); }
    static void Add() { Allocations.fetch_add(1, std::memory_order_relaxed); }

  private:
    static inline std::atomic<int64_t> Allocations = 0;
};

#if defined(__GLIBC__)
extern "C" {
void* __libc_malloc(size_t Size);
void* __libc_calloc(size_t Count, size_t Size);
void* __libc_realloc(void* Block, size_t Size);

void* malloc(size_t Size) noexcept {
    TAllocationCounter::Add();
    return __libc_malloc(Size);
}

void* calloc(size_t Count, size_t Size) noexcept {
    TAllocationCounter::Add();
    return __libc_calloc(Count, Size);
}

void* realloc(void* Block, size_t Size) noexcept {
    TAllocationCounter::Add();
    return __libc_realloc(Block, Size);
}
}
#endif

static void* CountedNew(size_t Size) {
#if !defined(__GLIBC__)
    TAllocationCounter::Add(); // elsewhere malloc itself counts
#endif
    return std::malloc(Size == 0 ? 1 : Size);
}

void* operator new(size_t Size) {
    if (void* Block = CountedNew(Size))
        return Block;
    throw std::bad_alloc();
}

void* operator new[](size_t Size) {
    return operator new(Size);
}

void* operator new(size_t Size, const std::nothrow_t&) noexcept {
    return CountedNew(Size);
}

void* operator new[](size_t Size, const std::nothrow_t&) noexcept {
    return CountedNew(Size);
}

// The allocations above came from malloc; GCC cannot see that through the replaced operator new.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void operator delete(void* Block) noexcept {
    std::free(Block);
}

void operator delete[](void* Block) noexcept {
    std::free(Block);
}

void operator delete(void* Block, size_t) noexcept {
    std::free(Block);
}

void operator delete[](void* Block, size_t) noexcept {
    std::free(Block);
}

#pragma GCC diagnostic pop
