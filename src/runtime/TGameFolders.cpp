#include "runtime/TGameFolders.h"

#include "runtime/TFile.h"
#include "runtime/TPath.h"

#include <SDL.h>

#include <cstdlib>
#include <filesystem>

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
    if (!DataOption.empty() || HoldsGameData(ExeDir))
        return PortableAt(DataOption.empty() ? ExeDir : DataOption);
    TGameFolders Folders;
    const std::string Shared =
        (std::filesystem::path(WithSlash(ExeDir)) / "../share/games/zerathon/").lexically_normal().string();
    if (HoldsGameData(Shared))
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

// An empty or relative XDG_DATA_HOME means "not set"; SDL would take it literally and save under the
// root or the working folder.
void TGameFolders::IgnoreUnusableDataHome() {
#if !defined(_WIN32)
    const char* DataHome = std::getenv("XDG_DATA_HOME");
    if (DataHome != nullptr && DataHome[0] != '/')
        ::unsetenv("XDG_DATA_HOME");
#endif
}

TGameFolders TGameFolders::Locate(const std::string& DataOption, std::string& Problem) {
    char* Base = SDL_GetBasePath();
    const std::string ExeDir = Base != nullptr ? Base : "./";
    SDL_free(Base);
    return Choose(
        DataOption, ExeDir, ZERATHON_INSTALLED_DATA_DIR,
        [](std::string& Why) {
            IgnoreUnusableDataHome();
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
