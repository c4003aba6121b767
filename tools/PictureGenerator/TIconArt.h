#pragma once

#include <cairo.h>

#include "runtime/TPicture.h"

#include <cstdint>
#include <string>
#include <vector>

// The application icon for desktop menus and the window: the player's fighter climbing out of a
// violet nebula on a rounded navy tile, with a homing rocket's trail curling after it. Drawn on a
// 256-unit canvas and scaled, so every size is the same picture.
class TIconArt {
  public:
    static void Draw(cairo_t* Cr, int Size);
    // Writes zerathon-SIZE.png for each desktop icon size into Folder, and zerathon.ico for Windows.
    static bool WriteAll(const std::string& Folder);
    static TPicture Render(int Size);
    static std::vector<uint8_t> WindowsIcon();

  private:
    static void Tile(cairo_t* Cr);
    static void RocketTrail(cairo_t* Cr);
};
