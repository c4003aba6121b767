#pragma once

#include <string>

#include "runtime/TPicture.h"

// Loads a picture file, choosing the decoder by the file's extension (any case): ".tga", ".jpg" or
// ".jpeg", ".png", and Windows bitmap for everything else.
class TPictureFile {
  public:
    static bool Load(const std::string& Path, TPicture& Out, std::string* Error = nullptr);
};
