#pragma once

#include "TPictureEntry.h"

#include <string>
#include <vector>

// Lays every picture, all its patterns, on one sheet over a dark checker with its name, for looking
// the whole set over at once.
class TContactSheet {
  public:
    static bool Write(const std::string& Path, const std::vector<TPictureEntry>& Entries);

  private:
    static void Checker(cairo_t* Cr, double X, double Y, double W, double H);
};
