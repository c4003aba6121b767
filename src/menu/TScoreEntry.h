#pragma once

#include <cstdint>
#include <string>

// One line of a high-score table: who made the result (at most 20 characters) and the result.
struct TScoreEntry {
    std::string Name;
    int32_t Value = 0;
};
