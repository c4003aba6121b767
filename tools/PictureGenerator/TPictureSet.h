#pragma once

#include "TPictureEntry.h"

#include <vector>

// Every picture the game asks for, in texture-list order, plus the mouse cursor.
class TPictureSet {
  public:
    static std::vector<TPictureEntry> All();
};
