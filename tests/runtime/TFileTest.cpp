#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

#include "RuntimeTestSupport.h"
#include "runtime/TFile.h"
#include "runtime/TMessageBox.h"

TEST(TFile, WriteAtomicReplacesAndReadsBack) {
    TTempDir Dir;
    const std::string Path = Dir.File("f.bin");
    const uint8_t First[] = {1, 2, 3};
    const uint8_t Second[] = {0, 9};
    ASSERT_TRUE(TFile::WriteAtomic(Path, First, sizeof First));
    ASSERT_TRUE(TFile::WriteAtomic(Path, Second, sizeof Second));
    std::vector<uint8_t> Data;
    ASSERT_TRUE(TFile::ReadAll(Path, Data));
    EXPECT_EQ(Data, (std::vector<uint8_t>{0, 9}));
    EXPECT_FALSE(TFile::Exists(Path + ".tmp"));
}

TEST(TFile, WriteAtomicFailureKeepsOldFileAndExplains) {
    TTempDir Dir;
    const std::string Path = Dir.File("keep.bin");
    ASSERT_TRUE(TFile::WriteAtomic(Path, "old", 3));
    ASSERT_EQ(::mkdir((Path + ".tmp").c_str(), 0755), 0);
    std::string Error;
    EXPECT_FALSE(TFile::WriteAtomic(Path, "new!", 4, &Error));
    EXPECT_NE(Error.find("keep.bin.tmp"), std::string::npos) << Error;
    EXPECT_NE(Error.find("directory"), std::string::npos) << Error; // strerror(EISDIR)
    std::string Text;
    ASSERT_TRUE(TFile::ReadText(Path, Text));
    EXPECT_EQ(Text, "old");

    Error.clear();
    EXPECT_FALSE(TFile::WriteAtomic(Dir.File("no/such/dir/x"), "x", 1, &Error));
    EXPECT_NE(Error.find("No such file"), std::string::npos) << Error;
}

TEST(TFile, ExistsCopyRemoveAndMakeDirectory) {
    TTempDir Dir;
    const std::string Path = Dir.File("a.txt");
    EXPECT_FALSE(TFile::Exists(Path));
    std::vector<uint8_t> Data;
    EXPECT_FALSE(TFile::ReadAll(Path, Data));
    ASSERT_TRUE(TFile::WriteAtomic(Path, "abc", 3));
    EXPECT_TRUE(TFile::Exists(Path));
    EXPECT_FALSE(TFile::Exists(Dir.Path)); // a folder is not a file
    ASSERT_TRUE(TFile::CopyFile(Path, Dir.File("a.txt.bad")));
    std::string Copy;
    ASSERT_TRUE(TFile::ReadText(Dir.File("a.txt.bad"), Copy));
    EXPECT_EQ(Copy, "abc");
    EXPECT_TRUE(TFile::Remove(Path));
    EXPECT_FALSE(TFile::Exists(Path));
    EXPECT_FALSE(TFile::Remove(Path));
    EXPECT_TRUE(TFile::MakeDirectory(Dir.File("Users/deeper")));
    EXPECT_TRUE(TFile::MakeDirectory(Dir.File("Users")));
    EXPECT_TRUE(TFile::WriteAtomic(Dir.File("Users/deeper/sav1.sav"), "x", 1));
}

// A device, a pipe or an endless file in place of a game file is refused at once, with one message
// naming it, as is a file larger than its kind's limit; a prefix of a file can still be read.
TEST(TFile, OnlyRegularFilesWithinTheirLimitAreRead) {
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
    const std::string Big = Dir.File("level01.lvl");
    ASSERT_TRUE(TFile::WriteAtomic(Big, "0123456789abcdefg", 17));
    std::vector<uint8_t> Data;
    EXPECT_FALSE(TFile::ReadAll(Big, Data, 16));
    EXPECT_TRUE(TFile::ReadAll(Big, Data, 17));
    ASSERT_TRUE(TFile::ReadHead(Big, 4, Data));
    EXPECT_EQ(std::string(Data.begin(), Data.end()), "0123");
    TMessageBox::Hook = nullptr;
    ASSERT_EQ(Messages.size(), 3u);
    EXPECT_NE(Messages[0].find(Pipe), std::string::npos) << Messages[0];
    EXPECT_NE(Messages[1].find(Zero), std::string::npos) << Messages[1];
    EXPECT_NE(Messages[2].find(Big), std::string::npos) << Messages[2];
}
