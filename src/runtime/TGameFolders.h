#pragma once

#include <functional>
#include <string>

// Where the game reads its data and where it writes the player's files. A portable game (the data
// beside the executable, or a folder named with --data) keeps everything in that one folder. An
// installed game reads its data from the shared data folder and writes into the player's own folder,
// never into the program's. Every path the game writes to is named here.
class TGameFolders {
  public:
    // Both end with '/'. UserDir is empty when no folder to write to could be made.
    std::string DataDir;
    std::string UserDir;
    bool Portable = true;

    // Finds the folders for this run. Problem says, in one message for the player, what is missing:
    // the game data, or a folder to save into.
    static TGameFolders Locate(const std::string& DataOption, std::string& Problem);
    // Locate's rule, without the platform: the data beside the executable first (the player's files
    // beside it too when that folder can be written to), then
    // ../share/games/zerathon beside it, then the folder built in; an installed game asks MakeUserDir
    // for the player's folder (it answers "" and says why when it cannot make one).
    static TGameFolders Choose(const std::string& DataOption, const std::string& ExeDir,
                               const std::string& BuiltInDataDir,
                               const std::function<std::string(std::string& Why)>& MakeUserDir,
                               std::string& Problem);
    static TGameFolders PortableAt(const std::string& Dir);
    static bool HoldsGameData(const std::string& Dir);

    bool CanSave() const { return !UserDir.empty(); }
    std::string SettingsFile() const;
    std::string UsersFolder() const;
    std::string ProfileFile(const std::string& FileName) const;
    std::string HighScoreFile() const;
    std::string ScreenshotFolder() const;

  private:
    static std::string WithSlash(std::string Dir);
    // A file can be made in Dir, so a portable game may keep the player's files there.
    static bool CanWriteIn(const std::string& Dir);
    std::string UserPath(const std::string& Relative) const;
};

// The folder the game reads its data from; Folders also says where the player's files are written.
extern std::string ProgramDir;
extern TGameFolders Folders;
// Reads and writes everything in Dir, as a portable game does.
void UsePortableFolder(const std::string& Dir);
