#pragma once

#include <memory>
#include <string>

class TVelaImage;

// One entry of the texture list: the name the game asks for and its loaded picture.
struct TTexture {
    std::string Name;
    std::shared_ptr<TVelaImage> Image;
};
