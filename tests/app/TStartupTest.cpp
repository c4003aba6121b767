#include "TGameHarness.h"

#include "engine/TEngine.h"
#include "runtime/TMessageBox.h"
#include "runtime/TZlibStream.h"

namespace {

using TStartupTest = TGameHarness;

const char* FirstRunSettings = "[Video]\n"
                               "Antialiasing=1\n"
                               "Windowed=0\n"
                               "Dithering=1\n"
                               "BitDepth=16\n"
                               "VSync=0\n"
                               "Music=1\n"
                               "Hardware=1\n"
                               "Buffers=3\n"
                               "[Effect]\n"
                               "Space=0\n"
                               "[Language]\n"
                               "Language=Czech\n";

TEST_F(TStartupTest, FirstStartWritesTheDefaultFilesAndASecondLeavesThemAlone) {
    Start();
    EXPECT_EQ(Read("Settings.ini"), FirstRunSettings);
    std::vector<uint8_t> Table;
    ASSERT_TRUE(TZlibStream::ReadFile(Dir / "Text/highscore.hsf", Table));
    ASSERT_EQ(Table.size(), 500u);
    for (int Row = 0; Row < 10; ++Row)
        for (int Column = 0; Column < 2; ++Column) {
            const uint8_t* Field = &Table[Row * 50 + Column * 25];
            EXPECT_EQ(std::string(reinterpret_cast<const char*>(Field + 1), Field[0]), "Kestrune");
            EXPECT_EQ(Field[21] | Field[22] | Field[23] | Field[24], 0);
        }
    // The written values are read back as they were written.
    EXPECT_TRUE(Settings.Dithering);
    EXPECT_EQ(Settings.Buffers, 3);
    EXPECT_EQ(Settings.BitDepth, 16);
    EXPECT_EQ(Frm->VelaDevice.BitDepth(), bdHigh);
    Frm.reset();
    ResetGlobals();

    // Keys missing: the file stays as it is at start-up; the missing values come from the defaults.
    Write("Settings.ini", "[Language]\nLanguage=Czech\n");
    Write("Text/highscore.hsf", "not even a zlib stream");
    Start();
    EXPECT_EQ(Read("Settings.ini"), "[Language]\nLanguage=Czech\n");
    EXPECT_EQ(Read("Text/highscore.hsf"), "not even a zlib stream");
    EXPECT_FALSE(Settings.Dithering);
    EXPECT_EQ(Settings.Buffers, 2);
    EXPECT_EQ(Settings.BitDepth, 0);
    EXPECT_EQ(Frm->VelaDevice.BitDepth(), bdLow);
    EXPECT_TRUE(Settings.Antialias);
    EXPECT_TRUE(Settings.Hardware);
    EXPECT_FALSE(Settings.Windowed);
}

TEST_F(TStartupTest, UnreadableSettingsStartWithTheDefaults) {
    const std::string Junk("\x00\xFF\x13[Video\x01=\x02\n\xFE\xFD", 12);
    const std::vector<std::string> Files = {
        Junk,
        "[Video]\nBitDepth=abc\nBuffers=12abc\nVSync=yes\nAntialiasing=0x0\nHardware=0X1F\n",
        "[Language]\nLanguage=" + std::string(5000, 'x') + "\n",
        "Space=3\nBitDepth=1\n",
    };
    for (const std::string& Text : Files) {
        Write("Settings.ini", Text);
        Start();
        EXPECT_EQ(Settings.BitDepth, 0);
        EXPECT_EQ(Settings.Buffers, 2);
        EXPECT_FALSE(Settings.VSync);
        EXPECT_EQ(Settings.Space, 0);
        EXPECT_LE(Settings.Language.size(), 2047u);
        Frames(2);
        Frm.reset();
        ResetGlobals();
    }
    // Hexadecimal is a number: "0x0" is false and "0X1F" true.
    Write("Settings.ini", "[Video]\nAntialiasing=0x0\nHardware=0X1F\nBitDepth=0x10\n");
    Start();
    EXPECT_FALSE(Settings.Antialias);
    EXPECT_TRUE(Settings.Hardware);
    EXPECT_EQ(Settings.BitDepth, 16);
}

TEST_F(TStartupTest, ClosingSavesTheSettingsFirstAndKeepsCheatsAndProfiles) {
    Write("Settings.ini", "[Cheats]\nEnabled=1\n[Users]\nCount=2\nActive=sav1.sav\n[Video]\nWindowed=1\n");
    Start();
    EXPECT_TRUE(CheatsEnabled);
    EXPECT_TRUE(Settings.Windowed);
    Settings.Space = 2;
    Settings.Buffers = 3;
    bool EngineAliveWhenSaved = false;
    Frm->Close();
    Frames(0);
    // The save happens while everything still exists: a save that fails reports it with the engine
    // still in place.
    std::filesystem::create_directory(Dir / "Settings.ini.tmp");
    TMessageBox::Hook = [&](const std::string&, const std::string&, bool) {
        EngineAliveWhenSaved = Engine != nullptr;
    };
    Frm->FormDestroy();
    TMessageBox::Hook = nullptr;
    EXPECT_TRUE(EngineAliveWhenSaved);
    EXPECT_EQ(Read("Settings.ini"),
              "[Cheats]\nEnabled=1\n[Users]\nCount=2\nActive=sav1.sav\n[Video]\nWindowed=1\n");
    Frm.reset();
    ResetGlobals();

    std::filesystem::remove(Dir / "Settings.ini.tmp");
    Start();
    Settings.Space = 2;
    Frm->FormDestroy();
    const std::string Saved = Read("Settings.ini");
    EXPECT_NE(Saved.find("[Cheats]\nEnabled=1\n"), std::string::npos);
    EXPECT_NE(Saved.find("Active=sav1.sav\n"), std::string::npos);
    EXPECT_NE(Saved.find("Space=2\n"), std::string::npos);
    EXPECT_NE(Saved.find("Windowed=1\n"), std::string::npos);
}

TEST_F(TStartupTest, MissingFontLeavesTheGameRunningWithoutText) {
    std::filesystem::remove(Dir / "Text/BEWARE__.ttf");
    int Messages = 0;
    TMessageBox::Hook = [&](const std::string&, const std::string& Text, bool) {
        Messages += Text.find("BEWARE__.ttf") != std::string::npos;
    };
    Start();
    TMessageBox::Hook = nullptr;
    EXPECT_EQ(Messages, 1);
    ShowDebugInfo = true;
    Frames(3);
    EXPECT_EQ(Frm->FramesDrawn(), 3);
}

} // namespace
