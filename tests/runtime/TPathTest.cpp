#include <gtest/gtest.h>

#include "RuntimeTestSupport.h"
#include "runtime/TFile.h"
#include "runtime/TFileSystem.h"
#include "runtime/TPath.h"

TEST(TPath, JoinsWindowsLiteralsWithoutDoubledSeparators) {
    EXPECT_EQ(TPath::Join("/nowhere/game/", "Graphic\\Textures.ini"), "/nowhere/game/Graphic/Textures.ini");
    EXPECT_EQ(TPath::Join("/nowhere/game/", "\\Settings.ini"), "/nowhere/game/Settings.ini");
    EXPECT_EQ(TPath::Join("/nowhere/game", "Text\\\\credits.txt"), "/nowhere/game/Text/credits.txt");
    EXPECT_EQ(TPath::Join("", "Text\\BEWARE__.ttf"), "Text/BEWARE__.ttf");
}

// Where the file system tells case apart, the existing spelling is found; where it does not (Windows)
// the path as written already names the file.
TEST(TPath, FindsExistingSpellingWithoutRegardToCase) {
    TTempDir Dir;
    ASSERT_TRUE(TFile::MakeDirectory(Dir.File("Graphic")));
    ASSERT_TRUE(TFile::WriteAtomic(Dir.File("Graphic/textures.INI"), "x", 1));
    ASSERT_TRUE(TFile::WriteAtomic(Dir.File("Graphic/Exact.png"), "x", 1));
    ASSERT_TRUE(TFile::WriteAtomic(Dir.File("Graphic/exact.PNG"), "y", 1));
    const bool TellsCase = TFileSystem::List(Dir.File("Graphic")).size() == 3;
    for (const char* Written : {"Graphic\\Textures.ini", "GRAPHIC\\TEXTURES.INI"}) {
        const std::string Joined = TPath::Join(Dir.Path + "/", Written);
        EXPECT_TRUE(TFile::Exists(Joined)) << Joined;
        EXPECT_EQ(Joined, TellsCase ? Dir.File("Graphic/textures.INI") : Dir.File(TPath::Normalise(Written)));
    }
    // An exact match beats one that differs only in case.
    std::string Text;
    ASSERT_TRUE(TFile::ReadText(TPath::Join(Dir.Path, "Graphic\\exact.PNG"), Text));
    EXPECT_EQ(Text, "y");
    // Not there in any spelling: the plain joined path, e.g. for a file about to be created.
    EXPECT_EQ(TPath::Join(Dir.Path, "graphic\\New.ini"), Dir.File("graphic/New.ini"));
}

TEST(TPath, SplitsNames) {
    EXPECT_EQ(TPath::Extension("Graphic/Ship.PNG"), ".png");
    EXPECT_EQ(TPath::Extension("a.dir/file"), "");
    EXPECT_EQ(TPath::Extension("Levels/level01.lvl"), ".lvl");
    EXPECT_EQ(TPath::Directory("/game/Graphic/ship.png"), "/game/Graphic/");
    EXPECT_EQ(TPath::Directory("ship.png"), "");
    EXPECT_EQ(TPath::Normalise("a\\\\b//./c"), "a/b/c");
}
