#pragma once

#include <cstdint>

// A place just off screen where rockets come in; busy for a while after each use.
struct TRespawnPoint {
    int X = 0;
    int Y = 0;
    bool Busy = false;
    uint32_t BusySince = 0;
};
