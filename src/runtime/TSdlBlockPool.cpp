#include "runtime/TSdlBlockPool.h"

#include "runtime/TBlockList.h"

#include <SDL.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace {

alignas(std::max_align_t) unsigned char SmallArea[TSdlBlockPool::SmallBlock * TSdlBlockPool::SmallBlocks];
alignas(std::max_align_t) unsigned char LargeArea[TSdlBlockPool::LargeBlock * TSdlBlockPool::LargeBlocks];
TBlockList Small(SmallArea, TSdlBlockPool::SmallBlock, TSdlBlockPool::SmallBlocks);
TBlockList Large(LargeArea, TSdlBlockPool::LargeBlock, TSdlBlockPool::LargeBlocks);
std::mutex Lock;
size_t InUse = 0;
thread_local bool UsePool = false;

// The list a block came from; null for the C library's.
TBlockList* OwnerOf(const void* Block) {
    return Small.Holds(Block) ? &Small : Large.Holds(Block) ? &Large : nullptr;
}

// The smallest free block that holds Size bytes; null when none does.
void* Take(size_t Size) {
    const std::lock_guard<std::mutex> Hold(Lock);
    for (TBlockList* List : {&Small, &Large}) {
        if (Size > List->Size())
            continue;
        if (void* Block = List->Take()) {
            ++InUse;
            return Block;
        }
    }
    return nullptr;
}

} // namespace

void TSdlBlockPool::Install() {
    static std::once_flag Installed;
    std::call_once(Installed, [] { SDL_SetMemoryFunctions(Allocate, AllocateZeroed, Reallocate, Free); });
}

void TSdlBlockPool::UseOnThisThread(bool Use) {
    UsePool = Use;
}

size_t TSdlBlockPool::BlocksInUse() {
    const std::lock_guard<std::mutex> Hold(Lock);
    return InUse;
}

void* TSdlBlockPool::Allocate(size_t Size) {
    void* Block = UsePool ? Take(Size) : nullptr;
    return Block != nullptr ? Block : std::malloc(Size);
}

void* TSdlBlockPool::AllocateZeroed(size_t Count, size_t Size) {
    if (!UsePool || (Size != 0 && Count > SIZE_MAX / Size))
        return std::calloc(Count, Size);
    void* Block = Take(Count * Size);
    if (Block == nullptr)
        return std::calloc(Count, Size);
    // A reused block holds what its last owner left.
    std::memset(Block, 0, Count * Size);
    return Block;
}

void* TSdlBlockPool::Reallocate(void* Block, size_t Size) {
    if (Block == nullptr)
        return Allocate(Size);
    const TBlockList* Owner = OwnerOf(Block);
    if (Owner == nullptr)
        return std::realloc(Block, Size);
    if (Size <= Owner->Size())
        return Block;
    void* Moved = Allocate(Size);
    if (Moved != nullptr) {
        std::memcpy(Moved, Block, Owner->Size());
        Free(Block);
    }
    return Moved;
}

void TSdlBlockPool::Free(void* Block) {
    TBlockList* Owner = OwnerOf(Block);
    if (Owner == nullptr) {
        std::free(Block);
        return;
    }
    const std::lock_guard<std::mutex> Hold(Lock);
    Owner->Give(Block);
    --InUse;
}
