#pragma once

#include <cstdint>
#include <string>
#include <type_traits>

// A fingerprint of the running game (--state-hash): the ship and its weapons, rockets, asteroid and
// fragments, the crate, mines, score and credits, the clocks and stamps that drive the waves, the random
// generator and how many particles each effect has. Two runs with equal fingerprints frame by frame
// played the same; the first frame they differ is where a rule of play changed.
class TStateHash {
  public:
    // FNV-1a, 64 bits.
    static constexpr uint64_t Start = 14695981039346656037ull;
    static constexpr uint64_t Prime = 1099511628211ull;

    // Of the game as it stands.
    static uint64_t OfGame();
    // "frame F hash XXXXXXXXXXXXXXXX" for the game as it stands after frame F.
    static std::string Line(int Frame);

    template <typename T> void Add(T Value) {
        static_assert(std::is_arithmetic_v<T> || std::is_enum_v<T>);
        // Whole numbers by value, reals by their exact bits.
        if constexpr (std::is_floating_point_v<T>)
            AddBits(sizeof(T) == 8 ? BitsOf(static_cast<double>(Value)) : BitsOf(static_cast<float>(Value)));
        else
            AddBits(static_cast<uint64_t>(Value));
    }
    void Add(const std::string& Text);
    uint64_t Value() const { return Hash; }

  private:
    static uint64_t BitsOf(double Value);
    static uint64_t BitsOf(float Value);
    void AddBits(uint64_t Bits);

    uint64_t Hash = Start;
};
