#pragma once

#include "runtime/TPicture.h"

#include <ctime>
#include <string>

// The player's screenshots: PNG files named after the moment they were taken, in the screenshot folder,
// which is made when missing. A file already there is never written over.
class TScreenshotSaver {
  public:
    // The path written; empty with Error saying why nothing was.
    static std::string Save(const TPicture& Frame, const std::string& Folder, std::time_t When,
                            std::string& Error);
    // zerathon-YYYYMMDD-HHMMSS.png in local time, with -2, -3 ... added while that name is taken.
    static std::string FreeName(const std::string& Folder, std::time_t When);
};
