#include "runtime/TGameFolders.h"
#include "RuntimeTestSupport.h"
#include "runtime/TFile.h"
#include "runtime/TFileSystem.h"

#include <gtest/gtest.h>

namespace {

void PlantGameData(const std::string& Dir) {
    ASSERT_TRUE(TFile::MakeDirectory(Dir + "/Graphic"));
    ASSERT_TRUE(TFile::WriteAtomic(Dir + "/Graphic/Textures.ini", "[Textures]\n", 11));
}

struct TLayout {
    TTempDir Root;
    std::string Exe() const { return Root.Path + "/usr/games/"; }
    std::string Shared() const { return Root.Path + "/usr/share/games/zerathon"; }
    std::string BuiltIn() const { return Root.Path + "/opt/zerathon"; }
    std::string Home() const { return Root.Path + "/home/.local/share/Kestrune/Zerathon/"; }
};

std::function<std::string(std::string&)> UserDirAt(const std::string& Dir, int* Asked = nullptr) {
    return [Dir, Asked](std::string& Why) {
        if (Asked != nullptr)
            ++*Asked;
        if (Dir.empty())
            Why = "no home folder";
        return Dir;
    };
}

} // namespace

// Where the data is found decides where the player's files go: beside it when portable, in the
// player's own folder when installed; the player's folder is asked for only when it is needed.
TEST(TGameFoldersTest, PortableWhereTheDataSitsBesideTheProgramOrIsNamed) {
    TLayout L;
    PlantGameData(L.Exe());
    PlantGameData(L.Shared());
    int Asked = 0;
    std::string Problem;
    TGameFolders Beside = TGameFolders::Choose("", L.Exe(), "", UserDirAt(L.Home(), &Asked), Problem);
    EXPECT_TRUE(Beside.Portable);
    EXPECT_EQ(Beside.DataDir, L.Exe());
    EXPECT_EQ(Beside.UserDir, L.Exe());
    EXPECT_EQ(Beside.HighScoreFile(), L.Exe() + "Text/highscore.hsf");

    TGameFolders Named =
        TGameFolders::Choose(L.Root.Path + "/elsewhere", L.Exe(), "", UserDirAt(L.Home()), Problem);
    EXPECT_TRUE(Named.Portable);
    EXPECT_EQ(Named.DataDir, L.Root.Path + "/elsewhere/");
    EXPECT_EQ(Named.SettingsFile(), L.Root.Path + "/elsewhere/Settings.ini");
    EXPECT_EQ(Asked, 0);
    EXPECT_EQ(Problem, "");
}

// A game unpacked where the player may not write (under Program Files, on a read-only medium) still
// reads its data beside the program, but keeps the player's files in the player's own folder; the
// probe it writes to find out leaves nothing behind.
TEST(TGameFoldersTest, AProgramFolderThatCannotBeWrittenToSendsThePlayersFilesHome) {
    TLayout L;
    PlantGameData(L.Exe());
    // A folder where the probe's temporary file must go stops the write, even for root.
    ASSERT_TRUE(TFile::MakeDirectory(L.Exe() + ".zerathon-write-check.tmp"));
    std::string Problem;
    TGameFolders ReadOnly = TGameFolders::Choose("", L.Exe(), "", UserDirAt(L.Home()), Problem);
    EXPECT_FALSE(ReadOnly.Portable);
    EXPECT_EQ(ReadOnly.DataDir, L.Exe());
    EXPECT_EQ(ReadOnly.SettingsFile(), L.Home() + "Settings.ini");
    EXPECT_EQ(ReadOnly.HighScoreFile(), L.Home() + "highscore.hsf");
    EXPECT_EQ(Problem, "");

    std::filesystem::remove(TFileSystem::Native(L.Exe() + ".zerathon-write-check.tmp"));
    TGameFolders Writable = TGameFolders::Choose("", L.Exe(), "", UserDirAt(L.Home()), Problem);
    EXPECT_TRUE(Writable.Portable);
    EXPECT_EQ(TFileSystem::List(L.Exe()), std::vector<std::string>{"Graphic"});
}

TEST(TGameFoldersTest, InstalledReadsSharedDataAndWritesIntoThePlayersFolder) {
    TLayout L;
    PlantGameData(L.Shared());
    PlantGameData(L.BuiltIn());
    std::string Problem;
    TGameFolders Installed = TGameFolders::Choose("", L.Exe(), L.BuiltIn(), UserDirAt(L.Home()), Problem);
    EXPECT_FALSE(Installed.Portable);
    EXPECT_EQ(Installed.DataDir, L.Shared() + "/");
    EXPECT_EQ(Installed.SettingsFile(), L.Home() + "Settings.ini");
    EXPECT_EQ(Installed.ProfileFile("ace.zsf"), L.Home() + "Users/ace.zsf");
    EXPECT_EQ(Installed.HighScoreFile(), L.Home() + "highscore.hsf");
    EXPECT_EQ(Installed.ScreenshotFolder(), L.Home() + "Screenshots");
    EXPECT_EQ(Problem, "");

    // With nothing beside the program and nothing under share/, the folder built in is the last resort.
    std::filesystem::remove_all(L.Root.Path + "/usr/share");
    TGameFolders BuiltIn = TGameFolders::Choose("", L.Exe(), L.BuiltIn(), UserDirAt(L.Home()), Problem);
    EXPECT_EQ(BuiltIn.DataDir, L.BuiltIn() + "/");
    EXPECT_FALSE(BuiltIn.Portable);
}

// No data anywhere, or no folder to save into: one message saying so, and never a path that would
// write into whatever the working directory happens to be.
TEST(TGameFoldersTest, MissingDataOrUserFolderIsReportedAndNothingIsWrittenAnywhere) {
    TLayout L;
    std::string Problem;
    TGameFolders Nothing = TGameFolders::Choose("", L.Exe(), L.BuiltIn(), UserDirAt(L.Home()), Problem);
    EXPECT_NE(Problem.find("game data was not found"), std::string::npos) << Problem;
    EXPECT_NE(Problem.find(L.Exe()), std::string::npos) << Problem;
    EXPECT_EQ(Nothing.DataDir, L.Exe());

    PlantGameData(L.Shared());
    TGameFolders Homeless = TGameFolders::Choose("", L.Exe(), "", UserDirAt(""), Problem);
    EXPECT_NE(Problem.find("no home folder"), std::string::npos) << Problem;
    EXPECT_FALSE(Homeless.CanSave());
    for (const std::string& Path :
         {Homeless.SettingsFile(), Homeless.UsersFolder(), Homeless.ProfileFile("a.zsf"),
          Homeless.HighScoreFile(), Homeless.ScreenshotFolder()})
        EXPECT_EQ(Path, "");
}
