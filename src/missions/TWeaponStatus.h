#pragma once

#include <cstdint>
#include <string>

// A buyable weapon as the shop and profile screens list it: name and state, in the state's colour.
struct TWeaponStatus {
    std::string Text;
    uint32_t Color = 0;
};
