#pragma once

#include "missions/TProfile.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class TEngineListBox;

// The players' save files in Users beside the executable, and their list in section Users of
// Settings.ini: Count, the keys 1..Count naming each file, and Active naming the active one.
//
// A save file that cannot be read (not a zlib stream, or fewer bytes than a record) is copied aside as
// its name plus ".bad" (".1.bad", ".2.bad" ... when that is taken) and then treated as missing, so a
// broken file never costs the player the data.
// A file name in Settings.ini that would lead out of Users is ignored, with one message. A save that
// fails is reported in a message box naming the file.
class TProfileFiles {
  public:
    // One record, decompressed.
    static constexpr size_t RecordSize = 121;
    static constexpr size_t NameCapacity = 20;

    // "savN.sav" with the smallest N whose file is not in Users yet.
    static std::string NewSaveFileName();
    // Writes a new profile named Name (cut to 20 characters) into a new save file and lists it. The
    // profile in memory is not changed. False, with nothing listed, when either file cannot be written.
    static bool CreateProfile(const std::string& Name, bool MakeActive);
    // Reads the save file into the global Profile and makes it the active one; a missing or unreadable
    // file changes nothing.
    static void LoadProfile(const std::string& FileName);
    // Writes the global Profile to its SavePath. False when it failed, or when the profile has no file
    // (it was never loaded).
    static bool SaveProfile();
    // The global Profile was read from its file, so play can be kept in it.
    static bool ProfileLoaded();
    // The save file of the first listed profile called Name (exact case), or "" when none is.
    static std::string FileOfUser(const std::string& Name);
    static bool IsActiveFile(const std::string& FileName);
    // Unlists the first profile called Name, closing up the keys behind it, and deletes its file.
    // Nothing changes when its file cannot be found.
    static void DeleteProfile(const std::string& Name);
    // Refills List with the names of all listed profiles, alphabetically, nothing selected.
    static void FillProfileList(TEngineListBox& List);
    static std::string ActiveFile();
    static int ProfileCount();

    static std::vector<uint8_t> Encode(const TProfile& P);
    // Fills every field of P but SavePath, the upgrade levels, credits and mines brought into the
    // ranges the game plays with; false (P untouched) when Bytes are fewer than a record.
    static bool Decode(const std::vector<uint8_t>& Bytes, TProfile& P);

    static std::string SettingsPath();
    static std::string SavePathOf(const std::string& FileName);

  private:
    // False, with one message per name, for a name that is not a plain file name inside Users.
    static bool IsUsable(const std::string& FileName);
    // The name stored in a save file; false when the file is missing or unreadable.
    static bool StoredName(const std::string& FileName, std::string& Name);
};
