#include <gtest/gtest.h>

#include <filesystem>

#include "RuntimeTestSupport.h"
#include "runtime/TFile.h"
#include "runtime/TFileSystem.h"
#include "runtime/TIniFile.h"

namespace {

std::string ReadBack(const std::string& Path) {
    std::string Text;
    EXPECT_TRUE(TFile::ReadText(Path, Text));
    return Text;
}

void WriteText(const std::string& Path, const std::string& Text) {
    ASSERT_TRUE(TFile::WriteAtomic(Path, Text.data(), Text.size()));
}

} // namespace

TEST(TIniFile, ReadsCrLfAndLfAndLastLineWithoutNewline) {
    for (const char* Text : {"[Video]\r\nWindowed=1\r\nBitDepth=32", "[Video]\nWindowed=1\nBitDepth=32"}) {
        TIniFile Ini = TIniFile::FromText(Text);
        EXPECT_EQ(Ini.ReadString("Video", "Windowed", "x"), "1");
        EXPECT_EQ(Ini.ReadInteger("Video", "BitDepth", 0), 32);
    }
}

// Saved again by an editor as "Unicode" (UTF-16, either byte order) or as UTF-8 with a mark, a file
// still reads, its Czech letters as the game's Windows-1250.
TEST(TIniFile, ReadsAFileSavedAsUtf16OrWithAUtf8Mark) {
    TTempDir Dir;
    const std::string Text = "[Users]\r\nCount=1\r\n1=sav0.sav\r\n";
    std::string Little = "\xFF\xFE", Big = "\xFE\xFF";
    for (char16_t Unit : std::u16string(
             u"[Users]\r\nCount=1\r\n1=sav0.sav\r\n[Language]\r\nLanguage=\u010Ce\u0161tina\r\n")) {
        Little += static_cast<char>(Unit & 0xFF);
        Little += static_cast<char>(Unit >> 8);
        Big += static_cast<char>(Unit >> 8);
        Big += static_cast<char>(Unit & 0xFF);
    }
    for (const std::string& Saved : {Little, Big, "\xEF\xBB\xBF" + Text}) {
        WriteText(Dir.File("Settings.ini"), Saved);
        TIniFile Ini(Dir.File("Settings.ini"));
        EXPECT_EQ(Ini.ReadInteger("Users", "Count", 0), 1);
        EXPECT_EQ(Ini.ReadString("Users", "1", ""), "sav0.sav");
        if (Saved[0] != '\xEF') {
            EXPECT_EQ(Ini.ReadString("Language", "Language", ""), "\xC8"
                                                                  "e\x9A"
                                                                  "tina");
        }
    }
}

TEST(TIniFile, MissingFileReadsAsEmpty) {
    TTempDir Dir;
    TIniFile Ini(Dir.File("none.ini"));
    EXPECT_EQ(Ini.ReadString("A", "B", "default"), "default");
    EXPECT_FALSE(Ini.SectionExists("A"));
}

TEST(TIniFile, SkipsCommentsBlankLinesAndKeysOutsideSections) {
    TIniFile Ini = TIniFile::FromText("Orphan=1\n\n; Key=comment\n# Key=hash\n[S]\n\n;Key=2\nKey = 3 \n");
    EXPECT_EQ(Ini.ReadInteger("S", "Key", 0), 3);
    EXPECT_EQ(Ini.ReadString("", "Orphan", "none"), "none");
    EXPECT_EQ(Ini.ReadSectionKeys("S"), std::vector<std::string>{"Key"});
}

TEST(TIniFile, FirstSectionAndFirstKeyWin) {
    TIniFile Ini = TIniFile::FromText("[S]\nA=1\nA=2\n[T]\nB=0\n[s]\nA=3\nC=4\n");
    EXPECT_EQ(Ini.ReadInteger("S", "A", 0), 1);
    // The second [s] is never looked at, so C is not found.
    EXPECT_EQ(Ini.ReadInteger("S", "C", -1), -1);
    EXPECT_EQ(Ini.ReadSectionKeys("S"), std::vector<std::string>{"A"});
}

TEST(TIniFile, NamesMatchWithoutCaseAndBlanks) {
    TIniFile Ini = TIniFile::FromText("[ Video ]\n  WINDOWED  =  1\n");
    EXPECT_TRUE(Ini.SectionExists("video"));
    EXPECT_TRUE(Ini.ValueExists("VIDEO", "windowed"));
    EXPECT_TRUE(Ini.ReadBool("video", "Windowed", false));
    EXPECT_FALSE(Ini.ValueExists("video", "Window"));
}

TEST(TIniFile, ValuesAreTrimmedUnquotedAndCut) {
    const std::string Long(5000, 'x');
    TIniFile Ini =
        TIniFile::FromText("[S]\nQ=\"  spaced  \"\nP=' single '\nM=\"mixed'\nE=\nL=" + Long + "\nEq=a=b\n");
    EXPECT_EQ(Ini.ReadString("S", "Q", ""), "  spaced  ");
    EXPECT_EQ(Ini.ReadString("S", "P", ""), " single ");
    EXPECT_EQ(Ini.ReadString("S", "M", ""), "\"mixed'");
    EXPECT_EQ(Ini.ReadString("S", "E", "default"), "");
    EXPECT_EQ(Ini.ReadString("S", "L", ""), std::string(2047, 'x'));
    EXPECT_EQ(Ini.ReadString("S", "Eq", ""), "a=b");
}

TEST(TIniFile, ParsesIntegers) {
    const struct {
        const char* Text;
        bool Ok;
        int Value;
    } Cases[] = {
        {"0x1F", true, 31},
        {"0X1f", true, 31},
        {"$FF", true, 255},
        {"$FFFFFFFF", true, -1},
        {"0x80000000", true, INT32_MIN},
        {" 12 ", true, 12},
        {"-7", true, -7},
        {"+7", true, 7},
        {"2147483647", true, INT32_MAX},
        {"-2147483648", true, INT32_MIN},
        {"2147483648", false, 0},
        {"$100000000", false, 0},
        {"abc", false, 0},
        {"12abc", false, 0},
        {"", false, 0},
        {"$", false, 0},
        {"0x", false, 0},
        {"-", false, 0},
        {"1 2", false, 0},
        {"0x-1", false, 0},
    };
    for (const auto& Case : Cases) {
        int Value = 12345;
        EXPECT_EQ(TIniFile::ParseInteger(Case.Text, Value), Case.Ok) << Case.Text;
        if (Case.Ok) {
            EXPECT_EQ(Value, Case.Value) << Case.Text;
        }
    }
    TIniFile Ini = TIniFile::FromText("[S]\nBad=12abc\nHex=$10\n");
    EXPECT_EQ(Ini.ReadInteger("S", "Bad", 99), 99);
    EXPECT_EQ(Ini.ReadInteger("S", "Hex", 99), 16);
    EXPECT_TRUE(Ini.ReadBool("S", "Missing", true));
}

TEST(TIniFile, ReadsFloatsInTheCLocale) {
    TIniFile Ini = TIniFile::FromText("[S]\nA=0.25\nB=1,5\nC=-3e2\n");
    EXPECT_DOUBLE_EQ(Ini.ReadFloat("S", "A", 0), 0.25);
    EXPECT_DOUBLE_EQ(Ini.ReadFloat("S", "B", 9), 9);
    EXPECT_DOUBLE_EQ(Ini.ReadFloat("S", "C", 0), -300);
}

TEST(TIniFile, WritingAKeyKeepsEveryOtherLineAndCrLf) {
    TTempDir Dir;
    const std::string Path = Dir.File("Settings.ini");
    WriteText(Path, "; top\r\n[Video]\r\nwindowed = 0 \r\n  odd line\r\n\r\n[Users]\r\nCount=0\r\n");
    TIniFile Ini(Path);
    ASSERT_TRUE(Ini.WriteBool("VIDEO", "Windowed", true));
    EXPECT_EQ(ReadBack(Path), "; top\r\n[Video]\r\nwindowed=1\r\n  odd line\r\n\r\n[Users]\r\nCount=0\r\n");
    // A new key goes after the section's last non-blank line, not after its trailing blank lines.
    ASSERT_TRUE(Ini.WriteInteger("Video", "BitDepth", 32));
    EXPECT_EQ(ReadBack(Path),
              "; top\r\n[Video]\r\nwindowed=1\r\n  odd line\r\nBitDepth=32\r\n\r\n[Users]\r\nCount=0\r\n");
    ASSERT_TRUE(Ini.WriteString("Language", "Language", "Slovensky"));
    EXPECT_EQ(ReadBack(Path), "; top\r\n[Video]\r\nwindowed=1\r\n  odd line\r\nBitDepth=32\r\n\r\n[Users]\r\n"
                              "Count=0\r\n[Language]\r\nLanguage=Slovensky\r\n");
    EXPECT_EQ(TIniFile(Path).ReadString("language", "LANGUAGE", ""), "Slovensky");
}

TEST(TIniFile, WritesIntoFileWithoutFinalNewline) {
    TTempDir Dir;
    const std::string Path = Dir.File("a.ini");
    WriteText(Path, "[A]\nX=1");
    TIniFile Ini(Path);
    ASSERT_TRUE(Ini.WriteString("A", "Y", "2"));
    EXPECT_EQ(ReadBack(Path), "[A]\nX=1\nY=2\n");
    ASSERT_TRUE(Ini.WriteString("B", "Z", "3"));
    EXPECT_EQ(ReadBack(Path), "[A]\nX=1\nY=2\n[B]\nZ=3\n");
}

TEST(TIniFile, CreatesMissingFileWithLf) {
    TTempDir Dir;
    const std::string Path = Dir.File("new.ini");
    TIniFile Ini(Path);
    ASSERT_TRUE(Ini.WriteString("Users", "Count", "0"));
    ASSERT_TRUE(Ini.WriteString("Users", "Active", ""));
    EXPECT_EQ(ReadBack(Path), "[Users]\nCount=0\nActive=\n");
    EXPECT_FALSE(TFile::Exists(Path + ".tmp"));
}

TEST(TIniFile, DeleteKeyAndEraseSection) {
    TTempDir Dir;
    const std::string Path = Dir.File("d.ini");
    WriteText(Path, "[A]\nX=1\nY=2\n[B]\nZ=3\n[C]\nW=4\n");
    TIniFile Ini(Path);
    ASSERT_TRUE(Ini.DeleteKey("a", "x"));
    ASSERT_TRUE(Ini.EraseSection("b"));
    ASSERT_TRUE(Ini.DeleteKey("none", "x"));
    EXPECT_EQ(ReadBack(Path), "[A]\nY=2\n[C]\nW=4\n");
    EXPECT_FALSE(Ini.SectionExists("B"));
}

TEST(TIniFile, LookupsSeeTextLoadedOverOldText) {
    TIniFile Ini = TIniFile::FromText("[A]\nX=1\n[B]\nY=2\n");
    EXPECT_EQ(Ini.ReadString("B", "Y", ""), "2");
    Ini.LoadText("[C]\n[B]\nZ=4\n");
    EXPECT_EQ(Ini.ReadString("B", "Y", "none"), "none");
    EXPECT_EQ(Ini.ReadString("B", "Z", ""), "4");
}

TEST(TIniFile, FailedWriteKeepsOldFileAndMemory) {
    TTempDir Dir;
    const std::string Path = Dir.File("s.ini");
    WriteText(Path, "[A]\nX=1\n");
    TIniFile Ini(Path);
    // A directory where the temporary file must go makes the write fail, even for root.
    ASSERT_TRUE(std::filesystem::create_directory(TFileSystem::Native(Path + ".tmp")));
    EXPECT_FALSE(Ini.WriteString("A", "X", "2"));
    EXPECT_EQ(ReadBack(Path), "[A]\nX=1\n");
    EXPECT_EQ(Ini.ReadString("A", "X", ""), "1");

    TIniFile Nowhere(Dir.File("missing/dir/s.ini"));
    EXPECT_FALSE(Nowhere.WriteString("A", "X", "2"));
}

TEST(TIniFile, AnUpdateReachesTheDiskWholeOrNotAtAll) {
    TTempDir Dir;
    const std::string Path = Dir.File("s.ini");
    const std::string Before = "; kept\n[Video]\nwindowed=0\n[Users]\nCount=1\n";
    const std::string After = "; kept\n[Video]\nwindowed=1\n[Users]\n[Language]\nLanguage=English\n";
    WriteText(Path, Before);
    TIniFile Ini(Path);
    Ini.BeginUpdate();
    ASSERT_TRUE(Ini.WriteBool("VIDEO", "Windowed", true));
    ASSERT_TRUE(Ini.DeleteKey("users", "count"));
    ASSERT_TRUE(Ini.WriteString("Language", "Language", "English"));
    EXPECT_EQ(ReadBack(Path), Before);
    ASSERT_TRUE(Ini.EndUpdate());
    EXPECT_EQ(ReadBack(Path), After);

    ASSERT_TRUE(std::filesystem::create_directory(TFileSystem::Native(Path + ".tmp")));
    Ini.BeginUpdate();
    Ini.WriteBool("Video", "Windowed", false);
    Ini.EraseSection("Language");
    EXPECT_FALSE(Ini.SectionExists("Language"));
    EXPECT_FALSE(Ini.EndUpdate());
    EXPECT_EQ(ReadBack(Path), After);
    EXPECT_EQ(Ini.Text(), After);
    EXPECT_EQ(Ini.ReadString("Language", "Language", ""), "English");
    EXPECT_NE(Ini.LastError().find("s.ini.tmp"), std::string::npos) << Ini.LastError();
}
