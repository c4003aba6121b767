#pragma once

#include <cstdint>
#include <string>
#include <vector>

class TIniFile;

// Saves of the player's files (settings, profiles, high scores) that say so when they fail: one message
// box naming the file, and false; a file that keeps failing is reported once until it saves again. The
// old file is always left as it was.
class TSaveFile {
  public:
    // Bytes as one zlib stream at Level, written atomically.
    static bool Packed(const std::string& Path, const std::vector<uint8_t>& Bytes, int Level);
    // Ends File's update: everything written since BeginUpdate goes to disk in one atomic write.
    static bool Update(TIniFile& File);
    static void Report(const std::string& Path, const std::string& Reason);
    // Copies a file that cannot be read aside before anything can overwrite it: Path.bad, or the first
    // of Path.1.bad, Path.2.bad ... not taken yet, so every damaged version is kept. A copy that is
    // already there is not made again. The copy's name, or "" when it could not be made.
    static std::string SetAside(const std::string& Path);
    // SetAside, then one message (once a session for the file) naming it, where the damaged copy is kept
    // and what the game does instead (Then, a sentence). The copy's name, or "".
    static std::string KeepDamaged(const std::string& Path, const std::string& Then);
};
