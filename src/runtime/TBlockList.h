#pragma once

#include <cstddef>
#include <cstdint>

// Blocks of one size over memory the caller owns: handed out in order the first time, then from a
// list threaded through the freed ones. Not locked; the owner serialises.
class TBlockList {
  public:
    constexpr TBlockList(unsigned char* Area, size_t BlockSize, size_t Count)
        : Area(Area), BlockSize(BlockSize), Count(Count) {}

    size_t Size() const { return BlockSize; }
    bool Holds(const void* Block) const {
        const auto Address = reinterpret_cast<uintptr_t>(Block);
        const auto Start = reinterpret_cast<uintptr_t>(Area);
        return Address >= Start && Address < Start + BlockSize * Count;
    }
    // Null when every block is out.
    void* Take() {
        if (Freed != nullptr) {
            void* Block = Freed;
            Freed = *static_cast<void**>(Block);
            return Block;
        }
        return Carved < Count ? Area + BlockSize * Carved++ : nullptr;
    }
    void Give(void* Block) {
        *static_cast<void**>(Block) = Freed;
        Freed = Block;
    }

  private:
    unsigned char* Area;
    size_t BlockSize;
    size_t Count;
    size_t Carved = 0;
    void* Freed = nullptr;
};
