#include "TGameHarness.h"

#include "engine/TEngine.h"
#include "menu/TGameMenu.h"
#include "render/TVelaFontsAlt.h"
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

TEST_F(TStartupTest, SavesThatCannotBeWrittenAreReportedOnceEachNamingTheFile) {
    // Directories where the temporary files go stop the writes, even for root.
    std::filesystem::create_directory(Dir / "Settings.ini.tmp");
    std::filesystem::create_directory(Dir / "Text/highscore.hsf.tmp");
    std::vector<std::string> Messages;
    TMessageBox::Hook = [&](const std::string&, const std::string& Text, bool) { Messages.push_back(Text); };
    Start();
    Frm->FormDestroy();
    TMessageBox::Hook = nullptr;
    // Created at start-up and saved at the end, each time in vain, but told once.
    ASSERT_EQ(Messages.size(), 2u);
    EXPECT_NE(Messages[0].find("Settings.ini"), std::string::npos) << Messages[0];
    EXPECT_NE(Messages[1].find("highscore.hsf"), std::string::npos) << Messages[1];
    // Once a file saves again, its next failure is news.
    std::filesystem::remove(Dir / "Settings.ini.tmp");
    Frm->SaveSettings();
    std::filesystem::create_directory(Dir / "Settings.ini.tmp");
    TMessageBox::Hook = [&](const std::string&, const std::string& Text, bool) { Messages.push_back(Text); };
    Frm->SaveSettings();
    TMessageBox::Hook = nullptr;
    EXPECT_EQ(Messages.size(), 3u);
    EXPECT_FALSE(std::filesystem::exists(Dir / "Text/highscore.hsf"));
}

TEST_F(TStartupTest, AMissingOrDamagedFontLeavesTheGameRunningWithoutTextAndOneMessage) {
    std::string Font = Read("Text/BEWARE__.ttf");
    Font.resize(Font.size() / 50);
    for (const char* Damage : {"missing", "junk", "truncated"}) {
        SCOPED_TRACE(Damage);
        const std::string Kind = Damage;
        std::filesystem::remove(Dir / "Text/BEWARE__.ttf");
        if (Kind != "missing")
            Write("Text/BEWARE__.ttf", Kind == "junk" ? std::string(4096, 'j') : Font);
        std::vector<std::string> Messages;
        TMessageBox::Hook = [&](const std::string&, const std::string& Text, bool) {
            Messages.push_back(Text);
        };
        Start();
        TMessageBox::Hook = nullptr;
        ASSERT_EQ(Messages.size(), 1u);
        EXPECT_NE(Messages[0].find("BEWARE__.ttf"), std::string::npos);
        ShowDebugInfo = true;
        Frames(2);
        // The frames go on; the overlay's green text is simply not there.
        EXPECT_EQ(CountPixels(DrawnScreen(), 0, 0, 300, 90,
                              [](uint32_t Pixel) { return (Pixel & 0xFFFFFF) == 0x00FF00; }),
                  0);
        Frm.reset();
        ResetGlobals();
    }
}

// Play is kept only in a profile that can be saved: with the active one damaged, or a list that names
// none, the menu opens on the first-user screen, and a damaged file is named with where it is kept.
TEST_F(TStartupTest, WithoutAProfileThatCanBeReadTheMenuAsksForOne) {
    const struct {
        const char* Users;
        bool Damaged;
    } Cases[] = {{"[Users]\nCount=1\n1=sav0.sav\nActive=sav0.sav\n", true}, {"[Users]\nCount=1\n", false}};
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Users);
        Write("Settings.ini", std::string(FirstRunSettings) + Case.Users);
        std::filesystem::create_directories(Dir / "Users");
        Write("Users/sav0.sav", "junk");
        std::vector<std::string> Messages;
        TMessageBox::Hook = [&](const std::string&, const std::string& Text, bool) {
            Messages.push_back(Text);
        };
        Start();
        Press(1); // Escape ends the intro
        Frames(1);
        TMessageBox::Hook = nullptr;
        EXPECT_EQ(GameState, gsMenu);
        EXPECT_EQ(GameMenu->Screen, msFirstUser);
        ASSERT_EQ(Messages.size(), Case.Damaged ? 1u : 0u);
        if (Case.Damaged) {
            EXPECT_NE(Messages[0].find(Dir / "Users/sav0.sav.bad"), std::string::npos) << Messages[0];
        }
        Frm.reset();
        ResetGlobals();
    }
}

// However many effect files are damaged, the player gets one message naming them, rockets' included;
// a texture list that names no picture is said once too, rather than running an invisible game.
TEST_F(TStartupTest, DamagedEffectsAreToldInOneMessageAndAnEmptyTextureListInAnother) {
    for (const char* File : {"Graphic/phazer.pss", "Graphic/mine.pss", "Graphic/flame.pss"})
        Write(File, std::string(124, '\xFF'));
    Write("Graphic/Textures.ini", "[Textures]\nCount=0\n");
    std::vector<std::string> Messages;
    TMessageBox::Hook = [&](const std::string&, const std::string& Text, bool) { Messages.push_back(Text); };
    Start();
    TMessageBox::Hook = nullptr;
    ASSERT_EQ(Messages.size(), 2u);
    EXPECT_NE(Messages[0].find("Textures.ini"), std::string::npos) << Messages[0];
    for (const char* Name : {"phazer.pss", "mine.pss", "flame.pss"})
        EXPECT_NE(Messages[1].find(Name), std::string::npos) << Messages[1];
}

// Without --frames, a replay that lost its closing line would otherwise run until killed.
TEST_F(TStartupTest, AHeadlessRunWhoseScriptRanOutEndsAfterAGraceAndSaysSo) {
    Start("5 key down 57\n6 key up 57\n");
    testing::internal::CaptureStderr();
    EXPECT_EQ(Frm->Run(), 0);
    const std::string Said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(Frm->GameFrames(), 6 + TmainFrm::ScriptGraceFrames);
    EXPECT_NE(Said.find("ran out at frame 6"), std::string::npos) << Said;
}

TEST_F(TStartupTest, TheFontTableHoldsTwentySixBoldFontsOfTheirHeights) {
    Start();
    const int Heights[26] = {16, 16, 22, 30, 40, 14, 16, 18, 20, 22, 24, 26, 28,
                             30, 32, 34, 36, 38, 40, 42, 44, 46, 48, 50, 52, 54};
    ASSERT_EQ(Fonts->Count(), 26);
    for (int Index = 0; Index < 26; ++Index) {
        const TVelaFontAlt& Font = *Fonts->Font(Index);
        EXPECT_EQ(Font.Name, "BEWARE") << Index;
        EXPECT_EQ(Font.Size, Heights[Index]) << Index;
        EXPECT_EQ(Font.Style, Index == 1 ? unsigned(feBold) : unsigned(feBold | feShadow)) << Index;
        EXPECT_TRUE(Font.Initialized()) << Index;
    }
}

TEST_F(TStartupTest, WithoutAWindowTheProgramSaysSoAndEndsWithStatusOne) {
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0)
        GTEST_SKIP() << "video already started in this process";
    int Messages = 0;
    TMessageBox::Hook = [&](const std::string&, const std::string& Text, bool) {
        Messages += Text == "Error initializing Vela!";
    };
    SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, "bogus", SDL_HINT_OVERRIDE);
    TCommandLine Options;
    Options.DataDir = Dir.Dir();
    Frm = std::make_unique<TmainFrm>(Options);
    const bool Started = Frm->FormCreate();
    SDL_ResetHint(SDL_HINT_VIDEODRIVER);
    TMessageBox::Hook = nullptr;
    EXPECT_FALSE(Started);
    EXPECT_EQ(Frm->FailureStatus(), 1);
    EXPECT_EQ(Messages, 1);
}

TEST_F(TStartupTest, OnlyARefusedInputScriptEndsWithTheStatusOfABadOption) {
    TCommandLine Options;
    Options.DataDir = Dir.Dir();
    Options.Headless = true;
    Options.InputFile = Dir / "input.txt";
    Write("input.txt", "1 key sideways 57\n");
    Frm = std::make_unique<TmainFrm>(Options);
    EXPECT_FALSE(Frm->FormCreate());
    EXPECT_EQ(Frm->FailureStatus(), 2);
    Frm.reset();
    ResetGlobals();

    // A good script, but no texture list: the game cannot run, whatever drives it.
    Write("input.txt", "1 key down 57\n");
    std::filesystem::remove(Dir / "Graphic/Textures.ini");
    Frm = std::make_unique<TmainFrm>(Options);
    EXPECT_FALSE(Frm->FormCreate());
    EXPECT_EQ(Frm->FailureStatus(), 1);
}

TEST_F(TStartupTest, AMissingDataFolderIsNamedInOneMessageAndEndsWithStatusOne) {
    std::vector<std::string> Messages;
    TMessageBox::Hook = [&](const std::string&, const std::string& Text, bool) { Messages.push_back(Text); };
    TCommandLine Options;
    Options.DataDir = Dir / "nowhere";
    Options.Headless = true;
    Frm = std::make_unique<TmainFrm>(Options);
    const bool Started = Frm->FormCreate();
    Frm.reset();
    TMessageBox::Hook = nullptr;
    EXPECT_FALSE(Started);
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0], "The data folder " + Dir / "nowhere" + " does not exist.");
    EXPECT_FALSE(std::filesystem::exists(Dir / "nowhere"));
}

TEST_F(TStartupTest, AQuitEventEndsAHeadlessRunAndAScreenshotPastItsEndIsNamed) {
    TCommandLine Options;
    Options.DataDir = Dir.Dir();
    Options.Headless = true;
    Options.StepMs = 10;
    Options.Frames = 50;
    Options.Screenshots.push_back({100, Dir / "late.png"});
    Frm = std::make_unique<TmainFrm>(Options);
    ASSERT_TRUE(Frm->FormCreate());
    if (SDL_WasInit(SDL_INIT_EVENTS) == 0)
        GTEST_SKIP() << "no event queue for SDL's signal handlers to post to";
    // What SDL posts on SIGTERM or Ctrl-C.
    SDL_Event Quit{};
    Quit.type = SDL_QUIT;
    ASSERT_EQ(SDL_PushEvent(&Quit), 1);
    testing::internal::CaptureStderr();
    EXPECT_EQ(Frm->Run(), 1); // the picture asked for is not there
    const std::string Errors = testing::internal::GetCapturedStderr();
    EXPECT_LE(Frm->GameFrames(), 1);
    EXPECT_NE(Errors.find("no screenshot " + Dir / "late.png" + ": the run ended after frame "),
              std::string::npos)
        << Errors;
    EXPECT_NE(Errors.find(", before frame 100"), std::string::npos) << Errors;
    EXPECT_TRUE(std::filesystem::exists(Dir / "Settings.ini"));
}

} // namespace
