#include "TGameHarness.h"
#include "TMissionWriter.h"

#include "engine/TEngine.h"
#include "menu/TGameMenu.h"
#include "missions/TLoading.h"
#include "missions/TMissionLoader.h"
#include "runtime/TMessageBox.h"
#include "world/TAsteroid.h"
#include "world/TRocket.h"
#include "world/TShip.h"

namespace {

std::vector<std::string> Lines() {
    std::vector<std::string> Texts;
    for (const TPreGameText& Line : Game.PreGameTexts) {
        EXPECT_EQ(Line.Alpha, 0);
        Texts.push_back(Line.Text);
    }
    return Texts;
}

TEST(TMissionLoaderTest, BriefingLinesEndAtTheFirstSpaceAfterThirtyCharacters) {
    const std::string Word31 = "abcdefghijklmnopqrstuvwxyzABCDE";
    TMissionLoader::WrapBriefing(Word31);
    EXPECT_EQ(Lines(), std::vector<std::string>{Word31});
    TMissionLoader::WrapBriefing(Word31 + " and more words");
    EXPECT_EQ(Lines(), (std::vector<std::string>{Word31, "and more words"}));
    // Thirty characters are not yet too long: the line runs on to the next space.
    TMissionLoader::WrapBriefing("123456789 123456789 1234567890 next word here");
    EXPECT_EQ(Lines(), (std::vector<std::string>{"123456789 123456789 1234567890 next", "word here"}));
    TMissionLoader::WrapBriefing("");
    EXPECT_TRUE(Game.PreGameTexts.empty());
    // A space at the very end closes the line and leaves an empty last line, which the briefing skips.
    TMissionLoader::WrapBriefing(Word31 + " ");
    EXPECT_EQ(Lines(), (std::vector<std::string>{Word31, ""}));
    ResetGlobals();
}

class TMissionLoadTest : public TGameHarness {
  protected:
    // As the menu's play buttons do it: the loading screen for a frame, then the load.
    void Load(const std::string& Name) {
        LevelName = Name;
        Loading->Visible = true;
        GameState = gsLoading;
        Frames(2);
    }
};

TEST_F(TMissionLoadTest, UnusableMissionFileGoesBackToTheMenuWithOneMessage) {
    std::filesystem::create_directories(Dir / "Levels");
    Write("Levels/broken.lvl", "not a zlib stream");
    ASSERT_TRUE(TMissionWriter::WriteCampaign(Dir.Dir(), "nowaves", {}));
    for (const char* Name : {"nowhere", "broken", "nowaves"}) {
        std::vector<std::string> Messages;
        TMessageBox::Hook = [&](const std::string&, const std::string& Text, bool) {
            Messages.push_back(Text);
        };
        Start();
        Load(Name);
        Frames(3);
        TMessageBox::Hook = nullptr;
        ASSERT_EQ(Messages.size(), 1u) << Name;
        EXPECT_NE(Messages[0].find(Name), std::string::npos) << Messages[0];
        EXPECT_EQ(GameState, gsMenu);
        EXPECT_FALSE(Loading->Visible);
        EXPECT_TRUE(Engine->CursorVisible);
        Frm.reset();
        ResetGlobals();
    }
}

TEST_F(TMissionLoadTest, ACampaignMissionStartsFromTheProfileWithAsteroidsFromCaptionTen) {
    TWave Mixed = TMissionWriter::Wave(5, wkTimed, 1000, 0, 1);
    Mixed.TypeB = 3;
    Mixed.TypeBCount = 2;
    const TWave End = TMissionWriter::Wave(0, wkEndOfMission, 0, 0, 1);
    ASSERT_TRUE(TMissionWriter::WriteCampaign(Dir.Dir(), "level09", {Mixed, End}, 9));
    ASSERT_TRUE(TMissionWriter::WriteCampaign(Dir.Dir(), "level10", {Mixed, End}, 10));
    Start();
    const std::array<int, 11> Keys{30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40};
    std::tie(Profile.BindLeft, Profile.BindRight, Profile.BindSpeedUp, Profile.BindSpeedDwn,
             Profile.BindBoost, Profile.BindWpnUp, Profile.BindWpnDn, Profile.BindWFire,
             Profile.BindPlantMine, Profile.BindFPS, Profile.BindExit) = std::tuple_cat(Keys);
    Profile.SpeedLevel = 2;
    Profile.SteerLevel = 3;
    Profile.ShieldLevel = 2;
    Profile.Mines = 4;
    Profile.Owned = {0, 1, 1, 0};   // phazer and long bomb bought,
    Profile.Charged = {1, 0, 1, 0}; // the long bomb charged; an EMP charge without the EMP counts for nothing
    Load("level09");
    ASSERT_EQ(GameState, gsBriefing);
    EXPECT_FALSE(Game.Asteroids->Active);
    EXPECT_EQ(Game.Keys, Keys);
    const TShip& Ship = *Game.Ship;
    EXPECT_EQ(Ship.SpeedLevel, 2.0);
    EXPECT_DOUBLE_EQ(Ship.Speed, 2.001);
    EXPECT_EQ(Ship.SteerRate, 3);
    EXPECT_EQ(Ship.ShieldLevel, 2);
    EXPECT_EQ(Ship.Energy, 100);
    EXPECT_EQ(Ship.Boost, 100.0);
    EXPECT_EQ(Ship.Owned, (std::array<bool, 6>{false, false, true, true, false, true}));
    EXPECT_EQ(Ship.Charged, (std::array<bool, 6>{false, false, false, true, false, true}));
    EXPECT_EQ(Ship.SelectedWeapon, TShip::wpLongBomb);
    EXPECT_EQ(Ship.SniperAmmo, 5);
    EXPECT_EQ(Ship.MinesLeft, 4);
    ASSERT_EQ(Ship.Mines.size(), 4u);
    for (const TMine& Mine : Ship.Mines)
        EXPECT_FALSE(Mine.Active);
    const int Places[14][2] = {{-50, 200}, {-50, 400}, {-50, 600},  {200, 830},  {400, 830},
                               {600, 830}, {800, 830}, {1070, 600}, {1070, 400}, {1070, 200},
                               {800, -50}, {600, -50}, {400, -50},  {200, -50}};
    for (int Point = 0; Point < 14; ++Point) {
        const TRespawnPoint& Got = Game.RespawnPoints[Point];
        EXPECT_TRUE(Got.X == Places[Point][0] && Got.Y == Places[Point][1] && !Got.Busy) << Point;
    }
    ASSERT_EQ(Game.Rockets.size(), 5u);
    EXPECT_EQ(Game.Rockets[2]->Kind, 1);
    EXPECT_EQ(Game.Rockets[3]->Kind, 3);
    EXPECT_TRUE(Game.Paused);
    Load("level10");
    EXPECT_TRUE(Game.Asteroids->Active);
}

TEST_F(TMissionLoadTest, TheEndlessModeArmsEveryWeaponAndFliesTheMenusChoices) {
    Start();
    Profile.SpeedLevel = Profile.SteerLevel = Profile.ShieldLevel = 3; // the campaign's, not used here
    Profile.Mines = 9;
    Profile.BindExit = 59;
    for (TEngineCheckBox& Box : GameMenu->OptionBoxes)
        Box.Ticked = false;
    GameMenu->OptionBoxes[1].Ticked = true; // speed 2
    GameMenu->OptionBoxes[3].Ticked = true; // steering 1
    GameMenu->OptionBoxes[7].Ticked = true; // shield 2
    Load("ttd");
    ASSERT_EQ(GameState, gsBriefing);
    EXPECT_EQ(Game.Mode, "T");
    EXPECT_TRUE(Game.Asteroids->Active);
    EXPECT_EQ(Game.Keys[TGame::KeyExit], 59);
    const TShip& Ship = *Game.Ship;
    EXPECT_DOUBLE_EQ(Ship.Speed, 2.001);
    EXPECT_EQ(Ship.SteerRate, 1);
    EXPECT_EQ(Ship.ShieldLevel, 2);
    for (int Weapon = TShip::wpEmp; Weapon <= TShip::wpSniper; ++Weapon)
        EXPECT_TRUE(Ship.Owned[Weapon] && Ship.Charged[Weapon]) << Weapon;
    EXPECT_EQ(Ship.SelectedWeapon, TShip::wpEmp);
    EXPECT_EQ(Ship.MinesLeft, 3);
    EXPECT_EQ(Ship.Mines.size(), 3u);
    EXPECT_EQ(Game.Rockets.size(), 6u);
    EXPECT_TRUE(Game.EndlessTypeA == 1 && Game.EndlessTypeB == 2 && Game.EndlessTypeBCount == 0);
}

} // namespace
