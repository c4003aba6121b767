#pragma once

#include <string>

// Paths. The game builds its paths from Windows literals ("Graphic\\Textures.ini") and its data was
// made on a file system that ignores case, so a path that does not exist as written is looked up
// component by component without regard to case.
class TPath {
  public:
    // Directory + Relative with '\\' turned into '/' and no doubled separators, then resolved
    // without regard to case where the exact spelling does not exist.
    static std::string Join(const std::string& Directory, const std::string& Relative);
    // '\\' to '/', runs of separators collapsed, "." components dropped.
    static std::string Normalise(const std::string& Path);
    // The existing spelling of Path, found component by component without regard to case; Path
    // itself when it exists as written or cannot be found.
    static std::string Resolve(const std::string& Path);
    // Lower-case extension with its dot (".png"), or "" when there is none.
    static std::string Extension(const std::string& Path);
    // The folder part with its trailing '/', or "" for a bare file name.
    static std::string Directory(const std::string& Path);
    // The last component.
    static std::string FileName(const std::string& Path);
};
