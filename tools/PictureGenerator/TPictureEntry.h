#pragma once

#include <cairo.h>

#include <functional>
#include <string>

// One picture of the game: its entry in the texture list and how to draw each pattern. The picture
// file is a grid of pattern cells, as many columns as one texture holds, filled row by row.
struct TPictureEntry {
    std::string Name;
    int TexWidth = 0, TexHeight = 0;
    int PtWidth = 0, PtHeight = 0;
    int Patterns = 1;
    // Draws pattern Pattern with the user-space origin at the cell's top-left corner, clipped to it.
    std::function<void(cairo_t* Cr, int Pattern)> Draw;
    // The cursor is loaded on its own, not through the texture list.
    bool Listed = true;

    int Columns() const { return TexWidth / PtWidth; }
    int Rows() const { return (Patterns + Columns() - 1) / Columns(); }
    int FileWidth() const { return Columns() * PtWidth; }
    int FileHeight() const { return Rows() * PtHeight; }
};
