#pragma once

#include <string>

#include "runtime/TPicture.h"

// Loads a picture file, choosing the decoder by the file's extension (any case): ".tga", ".jpg" or
// ".jpeg", ".png", and Windows bitmap for everything else.
class TPictureFile {
  public:
    static bool Load(const std::string& Path, TPicture& Out, std::string* Error = nullptr);
    // A PNG file's size from its header, without decoding it. False with Error when the file cannot be
    // read or is no PNG of a size we would hold; Known is false (and nothing is said) for other formats.
    static bool ReadSize(const std::string& Path, int& Width, int& Height, bool& Known,
                         std::string* Error = nullptr);
};
