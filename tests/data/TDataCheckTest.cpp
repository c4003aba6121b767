// The game data as the game will ask for it: every name present, every file readable and usable.
#include "THeadlessDevice.h"

#include "engine/TEngine.h"
#include "engine/TSoundEngine.h"
#include "missions/TLevelFile.h"
#include "render/TInputState.h"
#include "render/TVelaCanvas.h"
#include "render/TVelaFontsAlt.h"
#include "render/TVelaImage.h"
#include "render/TVelaKeyboard.h"
#include "render/TVelaMouse.h"
#include "render/TVelaTimer.h"
#include "runtime/TFakeClock.h"
#include "runtime/TFile.h"
#include "runtime/TIniFile.h"
#include "runtime/TPath.h"
#include "runtime/TWin1250.h"
#include "text/TText.h"

#include <SDL_ttf.h>

#include <gtest/gtest.h>

#include <set>

namespace {

const std::string DataDir = ZERATHON_SOURCE_DIR "/data/";

const char* const Pictures[] = {"ship",
                                "ship_left1",
                                "ship_left2",
                                "ship_right1",
                                "ship_right2",
                                "rocket1",
                                "rocket2",
                                "rocket3",
                                "asteroid",
                                "miniasteroid",
                                "mine",
                                "crate",
                                "bullet",
                                "longbomb",
                                "particles",
                                "background",
                                "background2",
                                "background3",
                                "background4",
                                "gamebg",
                                "gui",
                                "zr",
                                "z",
                                "t",
                                "bg06min",
                                "none",
                                "EMPicon",
                                "phazericon",
                                "longbombicon",
                                "hypershieldicon",
                                "title",
                                "button",
                                "animbtn",
                                "scrollbar",
                                "creditspanels",
                                "gameexit",
                                "kst",
                                "varleton",
                                "mor",
                                "rocketstation",
                                "camelot",
                                "furg",
                                "rytier",
                                "ork",
                                "symbol",
                                "kst_uvod",
                                "bg06"};

// Pictures whose animation or icon patterns the game counts on.
const std::pair<const char*, int> PatternCounts[] = {
    {"rocket1", 9},        {"rocket2", 9}, {"rocket3", 9}, {"asteroid", 25}, {"miniasteroid", 25},
    {"mine", 6},           {"crate", 9},   {"rytier", 8},  {"ork", 8},       {"scrollbar", 6},
    {"creditspanels", 16}, {"button", 2},  {"animbtn", 2}};

const char* const Effects[] = {"phazer",       "empicon",  "shieldicon", "phazericon", "shield1",  "shield2",
                               "engine",       "boost",    "mine",       "shield",     "longbomb", "EMP",
                               "ship_explode", "explode1", "explode2",   "explode3",   "flame"};

const char* const Samples[] = {"engine",    "explode1", "explode2", "emp",   "phazer",
                               "longbomb",  "shield",   "sniper",   "plant", "crate",
                               "countdown", "button",   "vorlen",   "run",   "scream"};

class TDataCheckTest : public THeadlessDevice {
  protected:
    void SetUp() override {
        Width = 64;
        Height = 64;
        THeadlessDevice::SetUp();
    }
};

TEST_F(TDataCheckTest, EveryPictureIsListedOnceAndLoadsWithItsPatterns) {
    const TIniFile List(DataDir + "Graphic/Textures.ini");
    const int Count = List.ReadInteger("Textures", "Count", 0);
    std::set<std::string> Names;
    for (int N = 0; N < Count; ++N)
        EXPECT_TRUE(Names.insert(List.ReadString("Texture" + std::to_string(N), "Name", "")).second)
            << "listed twice: " << List.ReadString("Texture" + std::to_string(N), "Name", "");
    for (const char* Name : Pictures)
        EXPECT_TRUE(Names.count(Name)) << "not listed: " << Name;

    TFakeClock Clock;
    TInputState Input;
    TVelaTimer Timer(Clock);
    TVelaCanvas Canvas(Device);
    TVelaMouse Mouse(Input);
    TVelaKeyboard Keyboard(Input);
    TVelaFontsAlt Fonts(Device);
    testing::internal::CaptureStderr();
    TEngine Engine(DataDir, DataDir + "Graphic/Textures.ini", Timer, Canvas, Device, Mouse, Keyboard, Fonts);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    for (const char* Name : Pictures) {
        const TTexture* Entry = Engine.FindTexture(Name);
        ASSERT_NE(Entry, nullptr);
        EXPECT_TRUE(Entry->Name == Name && Entry->Image->Loaded()) << Name;
    }
    for (const auto& [Name, Patterns] : PatternCounts) {
        TVelaImage* Image = Engine.GetTexture(Name);
        const int Cells = (Image->TextureSize().x / Image->PatternSize().x) *
                          (Image->TextureSize().y / Image->PatternSize().y) * Image->TextureCount();
        EXPECT_GE(Cells, Patterns) << Name;
    }
    ASSERT_NE(Engine.Cursor(), nullptr);
    EXPECT_TRUE(Engine.Cursor()->Loaded());
}

TEST(TDataFilesTest, EffectsAreWholeParameterBlocks) {
    for (const char* Name : Effects) {
        std::vector<uint8_t> Bytes;
        ASSERT_TRUE(TFile::ReadAll(TPath::Join(DataDir, std::string("Graphic\\") + Name + ".pss"), Bytes))
            << Name;
        EXPECT_EQ(Bytes.size(), 124u) << Name;
    }
}

TEST(TDataFilesTest, EverySampleIsListedAndLoads) {
    TSoundEngine Sound(DataDir, DataDir + "Sound/Sounds.ini", true);
    std::set<std::string> Loaded;
    for (int I = 0; I < Sound.SampleCount(); ++I)
        if (Sound.Sample(I)->Chunk != nullptr)
            Loaded.insert(Sound.Sample(I)->Name);
    for (const char* Name : Samples)
        EXPECT_TRUE(Loaded.count(Name)) << Name;
}

TEST(TDataFilesTest, EveryLanguageDefinesEveryText) {
    for (const char* Language : {"Czech", "Slovak", "English"}) {
        const std::string FileName = DataDir + "Text/" + Language + ".lng";
        TText Text;
        Text.Load(FileName);
        std::string Raw;
        ASSERT_TRUE(TFile::ReadText(FileName, Raw));
        // In the file itself: an English default must not stand in for a translation we ship.
        const TIniFile File = TIniFile::FromText(TWin1250::FromFileText(Raw));
        EXPECT_TRUE(File.ValueExists("Application", "LanguageName")) << Language;
        int Count = 0;
        const TText::TField* Fields = TText::Fields(Count);
        for (int I = 0; I < Count; ++I)
            EXPECT_TRUE(File.ValueExists(Fields[I].Section, Fields[I].Key))
                << Language << " " << Fields[I].Key;
        for (int I = 0; I < 20; ++I)
            for (const auto* Array : {&Text.LevelText, &Text.LevelCaption, &Text.FirstLine, &Text.SecondLine})
                EXPECT_NE((*Array)[I], TText::Missing) << Language << " entry " << I;
    }
}

TEST(TDataFilesTest, TheFontHasAGlyphForEveryCharacterOfEveryLanguage) {
    if (TTF_WasInit() == 0) {
        ASSERT_EQ(TTF_Init(), 0);
    }
    TTF_Font* Font = TTF_OpenFont((DataDir + "Text/BEWARE__.ttf").c_str(), 16);
    ASSERT_NE(Font, nullptr);
    for (const char* File : {"Czech.lng", "Slovak.lng", "English.lng", "credits.txt"}) {
        std::string Raw;
        ASSERT_TRUE(TFile::ReadText(DataDir + "Text/" + File, Raw)) << File;
        // Through the game's encoding, as the texts reach the screen.
        const std::string Shown = TWin1250::ToUtf8(TWin1250::FromFileText(Raw));
        std::set<uint32_t> Missing;
        for (size_t I = 0; I < Shown.size();) {
            const unsigned char Lead = static_cast<unsigned char>(Shown[I]);
            const int Length = Lead < 0x80 ? 1 : Lead < 0xE0 ? 2 : Lead < 0xF0 ? 3 : 4;
            uint32_t Point = Length == 1 ? Lead : Lead & (0x3F >> (Length - 1));
            for (int K = 1; K < Length && I + K < Shown.size(); ++K)
                Point = Point << 6 | (static_cast<unsigned char>(Shown[I + K]) & 0x3F);
            I += Length;
            if (Point >= 0x20 && !TTF_GlyphIsProvided32(Font, Point))
                Missing.insert(Point);
        }
        EXPECT_TRUE(Missing.empty()) << File << ": " << Missing.size()
                                     << " characters without a glyph, first U+" << std::hex
                                     << (Missing.empty() ? 0 : *Missing.begin());
    }
    TTF_CloseFont(Font);
}

TEST(TDataFilesTest, EveryMissionPassesTheLoadersChecks) {
    std::vector<std::string> Names = {"ttd"};
    for (int Mission = 1; Mission <= 19; ++Mission)
        Names.push_back((Mission < 10 ? "level0" : "level") + std::to_string(Mission));
    for (const std::string& Name : Names) {
        std::string Mode, Error;
        TCampaignLevel Campaign;
        TEndlessLevel Endless;
        EXPECT_TRUE(TLevelFile::ReadFile(DataDir + "Levels/" + Name + ".lvl", Mode, Campaign, Endless, Error))
            << Name << ": " << Error;
        EXPECT_EQ(Mode, Name == "ttd" ? "T" : "C") << Name;
        if (Mode == "C") {
            ASSERT_FALSE(Campaign.Waves.empty()) << Name;
            EXPECT_EQ(Campaign.Waves.back().Kind, wkEndOfMission) << Name;
        }
    }
}

} // namespace
