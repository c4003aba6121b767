#pragma once

#include <cairo.h>

#include <string>

// The application icon for desktop menus and the window: the player's fighter climbing out of a
// violet nebula on a rounded navy tile, with a homing rocket's trail curling after it. Drawn on a
// 256-unit canvas and scaled, so every size is the same picture.
class TIconArt {
  public:
    static void Draw(cairo_t* Cr, int Size);
    // Writes zerathon-SIZE.png for each desktop icon size into Folder.
    static bool WriteAll(const std::string& Folder);

  private:
    static void Tile(cairo_t* Cr);
    static void RocketTrail(cairo_t* Cr);
};
