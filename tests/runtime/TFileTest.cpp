#include <gtest/gtest.h>

#include <filesystem>

#include "RuntimeTestSupport.h"
#include "runtime/TFile.h"
#include "runtime/TFileSystem.h"
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

// The reason is the system's own words, whatever its language: only that there is one is checked.
TEST(TFile, WriteAtomicFailureKeepsOldFileAndExplains) {
    TTempDir Dir;
    const std::string Path = Dir.File("keep.bin");
    ASSERT_TRUE(TFile::WriteAtomic(Path, "old", 3));
    ASSERT_TRUE(std::filesystem::create_directory(TFileSystem::Native(Path + ".tmp")));
    const auto NamesAndExplains = [](const std::string& Error, const std::string& Name) {
        const size_t At = Error.find(Name + "\": ");
        return At != std::string::npos && Error.size() > At + Name.size() + 4;
    };
    std::string Error;
    EXPECT_FALSE(TFile::WriteAtomic(Path, "new!", 4, &Error));
    EXPECT_TRUE(NamesAndExplains(Error, "keep.bin.tmp")) << Error;
    std::string Text;
    ASSERT_TRUE(TFile::ReadText(Path, Text));
    EXPECT_EQ(Text, "old");

    Error.clear();
    EXPECT_FALSE(TFile::WriteAtomic(Dir.File("no/such/dir/x"), "x", 1, &Error));
    EXPECT_TRUE(NamesAndExplains(Error, "x.tmp")) << Error;
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

// A file larger than its kind's limit is refused with one message naming it; a prefix can still be read.
TEST(TFile, FilesBeyondTheirLimitAreRefused) {
    TTempDir Dir;
    std::vector<std::string> Messages;
    TMessageBox::Hook = [&](const std::string&, const std::string& Text, bool) { Messages.push_back(Text); };
    const std::string Big = Dir.File("level01.lvl");
    ASSERT_TRUE(TFile::WriteAtomic(Big, "0123456789abcdefg", 17));
    std::vector<uint8_t> Data;
    EXPECT_FALSE(TFile::ReadAll(Big, Data, 16));
    EXPECT_TRUE(TFile::ReadAll(Big, Data, 17));
    ASSERT_TRUE(TFile::ReadHead(Big, 4, Data));
    EXPECT_EQ(std::string(Data.begin(), Data.end()), "0123");
    TMessageBox::Hook = nullptr;
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_NE(Messages[0].find(Big), std::string::npos) << Messages[0];
}
