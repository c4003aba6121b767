#include "runtime/RuntimeTestSupport.h"
#include "runtime/TFile.h"
#include "runtime/TMessageBox.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

// A pipe or an endless device in place of a game file is refused at once (never waited on, never read
// until memory runs out), with one message naming it however often it is asked for.
TEST(TSpecialFile, PipesAndDevicesAreRefusedWithOneMessage) {
    TTempDir Dir;
    std::vector<std::string> Messages;
    TMessageBox::Hook = [&](const std::string&, const std::string& Text, bool) { Messages.push_back(Text); };
    const std::string Pipe = Dir.File("Settings.ini");
    ASSERT_EQ(::mkfifo(Pipe.c_str(), 0644), 0);
    const std::string Zero = Dir.File("highscore.hsf");
    std::filesystem::create_symlink("/dev/zero", Zero);
    for (const std::string& Path : {Pipe, Zero, Pipe}) {
        std::vector<uint8_t> Data;
        EXPECT_FALSE(TFile::ReadAll(Path, Data)) << Path;
        EXPECT_FALSE(TFile::Exists(Path)) << Path;
    }
    TMessageBox::Hook = nullptr;
    ASSERT_EQ(Messages.size(), 2u);
    EXPECT_NE(Messages[0].find(Pipe), std::string::npos) << Messages[0];
    EXPECT_NE(Messages[1].find(Zero), std::string::npos) << Messages[1];
}
