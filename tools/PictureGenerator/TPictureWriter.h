#pragma once

#include "TPictureEntry.h"

#include <string>
#include <vector>

// Renders pictures into image surfaces and writes them with the texture list into a data directory.
class TPictureWriter {
  public:
    // The whole picture file, every pattern in its cell; the caller destroys the surface.
    static cairo_surface_t* Render(const TPictureEntry& Entry);
    static bool WriteAll(const std::string& DataDir, const std::vector<TPictureEntry>& Entries);

  private:
    static bool WriteList(const std::string& Path, const std::vector<TPictureEntry>& Entries);
};
