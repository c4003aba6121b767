#pragma once

#include <cstddef>

// Fixed blocks for SDL's own allocations on threads that ask for them. SDL_mixer allocates twice for
// every playback started with a pan (freeing both when it ends) and once more for every mixed buffer
// of a panned sound, on the audio thread; play must not touch the heap, so those come from here.
// Every other allocation, one larger than a block and one made when the blocks run out go to the C
// library as before. A block may be freed on any thread, and SDL's blocks from before Install free as
// they always did, so installing late is safe.
class TSdlBlockPool {
  public:
    static constexpr size_t SmallBlock = 64;
    static constexpr size_t SmallBlocks = 512;
    // Room for a mixed buffer of 1024 frames of up to eight 16-bit channels.
    static constexpr size_t LargeBlock = 16384;
    static constexpr size_t LargeBlocks = 8;

    // Routes SDL's allocations through the pool; once is enough, later calls do nothing.
    static void Install();
    // From now on this thread's SDL allocations come from the pool (Use false: from the C library).
    static void UseOnThisThread(bool Use);
    static size_t BlocksInUse();

    static void* Allocate(size_t Size);
    static void* AllocateZeroed(size_t Count, size_t Size);
    static void* Reallocate(void* Block, size_t Size);
    static void Free(void* Block);
};
