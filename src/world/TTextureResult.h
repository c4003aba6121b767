#pragma once

#include <string>

class TVelaImage;

// The selected weapon as the in-game interface shows it: its name and icon.
struct TTextureResult {
    std::string Name;
    TVelaImage* Icon = nullptr;
};
