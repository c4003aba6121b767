#include <gtest/gtest.h>

#include <sys/stat.h>

#include "RuntimeTestSupport.h"
#include "runtime/TFile.h"

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
