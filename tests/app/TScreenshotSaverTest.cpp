#include "app/TScreenshotSaver.h"

#include "THeadlessDevice.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

TPicture Frame() {
    TPicture Picture;
    Picture.Width = 4;
    Picture.Height = 4;
    Picture.Pixels.assign(16, 0xFF0000FFu);
    return Picture;
}

std::string Contents(const std::string& Path) {
    std::ifstream File(Path, std::ios::binary);
    std::stringstream Text;
    Text << File.rdbuf();
    return Text.str();
}

TEST(TScreenshotSaverTest, PicturesTakenInOneSecondNeverOverwriteEachOtherOrAnythingElse) {
    TTempDir Dir;
    const std::string Folder = Dir / "Shots/Zerathon"; // made when missing, parents too
    const std::time_t When = 1'700'000'000;
    std::string Error;
    const std::string First = TScreenshotSaver::Save(Frame(), Folder, When, Error);
    ASSERT_FALSE(First.empty()) << Error;
    std::ofstream(TScreenshotSaver::FreeName(Folder, When)) << "mine"; // the player's own file
    const std::string Third = TScreenshotSaver::Save(Frame(), Folder, When, Error);
    ASSERT_FALSE(Third.empty()) << Error;
    EXPECT_NE(Third, First);
    EXPECT_EQ(Contents(Third.substr(0, Third.size() - 6) + "-2.png"), "mine");
    EXPECT_EQ(Third.substr(Third.size() - 6), "-3.png");
    EXPECT_EQ(Contents(First).substr(0, 4), "\x89PNG");
}

TEST(TScreenshotSaverTest, NoFolderOrAFileInItsPlaceIsSaidAndNothingIsWritten) {
    TTempDir Dir;
    std::string Error;
    EXPECT_EQ(TScreenshotSaver::Save(Frame(), "", 0, Error), "");
    EXPECT_EQ(Error, "there is no folder to save it in");
    std::ofstream(Dir / "Screenshots") << "not a folder";
    EXPECT_EQ(TScreenshotSaver::Save(Frame(), Dir / "Screenshots", 0, Error), "");
    EXPECT_EQ(Error, "the folder " + Dir / "Screenshots" + " cannot be made");
}

} // namespace
