#include "runtime/TGameFolders.h"

#include "runtime/TFile.h"
#include "runtime/TFileSystem.h"
#include "runtime/TPath.h"
#include "runtime/TPlatform.h"

#include <SDL.h>

#ifndef ZERATHON_INSTALLED_DATA_DIR
#define ZERATHON_INSTALLED_DATA_DIR ""
#endif

std::string TGameFolders::WithSlash(std::string Dir) {
    if (Dir.empty() || Dir.back() != '/')
        Dir += '/';
    return Dir;
}

bool TGameFolders::HoldsGameData(const std::string& Dir) {
    return TFile::Exists(TPath::Join(Dir, "Graphic\\Textures.ini"));
}

bool TGameFolders::CanWriteIn(const std::string& Dir) {
    const std::string Probe = TPath::Join(Dir, ".zerathon-write-check");
    const char Byte = 0;
    if (!TFile::WriteAtomic(Probe, &Byte, 1))
        return false;
    TFile::Remove(Probe);
    return true;
}

TGameFolders TGameFolders::PortableAt(const std::string& Dir) {
    TGameFolders Folders;
    Folders.DataDir = WithSlash(Dir);
    Folders.UserDir = Folders.DataDir;
    return Folders;
}

TGameFolders TGameFolders::Choose(const std::string& DataOption, const std::string& ExeDir,
                                  const std::string& BuiltInDataDir,
                                  const std::function<std::string(std::string& Why)>& MakeUserDir,
                                  std::string& Problem) {
    Problem.clear();
    if (!DataOption.empty())
        return PortableAt(DataOption);
    const bool Beside = HoldsGameData(ExeDir);
    if (Beside && CanWriteIn(ExeDir))
        return PortableAt(ExeDir);
    TGameFolders Folders;
    const std::string Shared = TFileSystem::Utf8(
        (TFileSystem::Native(WithSlash(ExeDir)) / "../share/games/zerathon/").lexically_normal());
    // Beside a program the player may not write to (under Program Files, on a read-only medium) the
    // data is read where it is and the player's files go to the player's own folder.
    if (Beside)
        Folders.DataDir = WithSlash(ExeDir);
    else if (HoldsGameData(Shared))
        Folders.DataDir = Shared;
    else if (!BuiltInDataDir.empty() && HoldsGameData(BuiltInDataDir))
        Folders.DataDir = WithSlash(BuiltInDataDir);
    else {
        // Nothing found: stay portable, so the messages about missing files name the program's folder.
        Problem = "The game data was not found beside the program (" + WithSlash(ExeDir) + "), in " + Shared +
                  (BuiltInDataDir.empty() ? "" : " or in " + WithSlash(BuiltInDataDir)) + ".";
        return PortableAt(ExeDir);
    }
    Folders.Portable = false;
    std::string Why;
    const std::string UserDir = MakeUserDir(Why);
    if (UserDir.empty())
        Problem = "No folder for your settings, profiles and high scores could be made (" + Why +
                  "). The game runs, but nothing will be saved.";
    else
        Folders.UserDir = WithSlash(UserDir);
    return Folders;
}

TGameFolders TGameFolders::Locate(const std::string& DataOption, std::string& Problem) {
    char* Base = SDL_GetBasePath();
    const std::string ExeDir = Base != nullptr ? Base : "./";
    SDL_free(Base);
    return Choose(
        DataOption, ExeDir, ZERATHON_INSTALLED_DATA_DIR,
        [](std::string& Why) {
            TPlatform::IgnoreUnusableDataHome();
            char* Pref = SDL_GetPrefPath("Kestrune", "Zerathon");
            const std::string Dir = Pref != nullptr ? Pref : "";
            if (Pref == nullptr)
                Why = SDL_GetError();
            SDL_free(Pref);
            return Dir;
        },
        Problem);
}

// Without a folder to write to every path is empty, and an empty path is never written.
std::string TGameFolders::UserPath(const std::string& Relative) const {
    return CanSave() ? TPath::Join(UserDir, Relative) : std::string();
}

std::string TGameFolders::SettingsFile() const {
    return UserPath("Settings.ini");
}

std::string TGameFolders::UsersFolder() const {
    return UserPath("Users");
}

std::string TGameFolders::ProfileFile(const std::string& FileName) const {
    return UserPath("Users\\" + FileName);
}

// A portable game keeps the tables where they always were, beside the language files.
std::string TGameFolders::HighScoreFile() const {
    return UserPath(Portable ? "Text\\highscore.hsf" : "highscore.hsf");
}

std::string TGameFolders::ScreenshotFolder() const {
    return UserPath("Screenshots");
}
