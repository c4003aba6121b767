#include "THeadlessEngine.h"

#include "menu/TShop.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace {

// The shop on a full-size headless screen with the game's font as font 0; clicks reach the shop through
// the dispatcher, as the menu routes them.
class TShopTest : public THeadlessEngine {
  protected:
    void SetUp() override {
        Width = 1024;
        Height = 768;
        THeadlessEngine::SetUp();
        ASSERT_TRUE(AddGameFonts({20}));
        GameText.msNEWGAME_C_Upgrade = "Upgrade";
        GameText.msNEWGAME_C_Buy = "Buy";
        GameText.msNEWGAME_C_Charge = "Charge";
        GameText.msNEWGAME_C_NoMoney = "Not enough credits";
        Shop = std::make_unique<TShop>(*TestEngine);
        TestEngine->OnWidgetClick = [this](const std::string& Action) {
            Clicks.push_back(Action);
            Shop->OnClick(Action);
        };
    }

    // What a click at the right end of a row reports.
    std::vector<std::string> ClickRow(int Top) {
        Clicks.clear();
        TestEngine->CursorX = 972;
        TestEngine->CursorY = Top + 8;
        for (bool Down : {true, false}) {
            Input.MouseButton(0, Down);
            Mouse.Update();
            Shop->Run();
        }
        return Clicks;
    }
    // Anything but black in the rectangle after one frame of the panel, or of the alert alone.
    bool Ink(const TRect& Rect, bool AlertOnly = false) {
        Clear();
        AlertOnly ? Shop->RunAlert() : Shop->Run();
        Canvas.Flush();
        TPicture Frame;
        EXPECT_TRUE(Device.ReadPixels(Frame));
        for (int Y = Rect.Top; Y < Rect.Bottom; ++Y)
            for (int X = Rect.Left; X < Rect.Right; ++X)
                if ((Frame.At(X, Y) & 0xFFFFFFu) != 0)
                    return true;
        return false;
    }
    bool PriceShown(int Top) { return Ink({700, Top - 2, 790, Top + 18}); }

    std::unique_ptr<TShop> Shop;
    std::vector<std::string> Clicks;
};
class TAlertTest : public TShopTest {};

TEST_F(TShopTest, ANewProfileCanBuyNothingAndEveryRefusalRaisesTheAlert) {
    for (const std::string Action :
         {"msNEWGAME_C_Buy1", "msNEWGAME_C_Buy2", "msNEWGAME_C_Buy3", "msNEWGAME_C_Buy4",
          "msNEWGAME_C_UpgSpeed", "msNEWGAME_C_UpgSteer", "msNEWGAME_C_UpgShield"}) {
        Shop->Alert.Trigger = 0;
        Shop->Alert.Message.clear();
        EXPECT_TRUE(Shop->OnClick(Action)) << Action;
        EXPECT_EQ(Shop->Alert.Trigger, 1) << Action;
        EXPECT_EQ(Shop->Alert.Message, "Not enough credits") << Action;
    }
    EXPECT_EQ(Profile.Credits, 1500);
    EXPECT_EQ(Profile.Owned, TProfile().Owned);
    EXPECT_EQ(Profile.SpeedLevel + Profile.SteerLevel + Profile.ShieldLevel, 3);
    for (const std::string Action :
         {"msNEWGAME_C_Buy0", "msNEWGAME_C_Buy5", "msNEWGAME_C_Bul", "msNEWGAME_C_Play"})
        EXPECT_FALSE(Shop->OnClick(Action)) << Action;
}

TEST_F(TShopTest, APurchaseNeedsMoreThanItsPrice) {
    for (int Weapon = 0; Weapon < 4; ++Weapon) {
        const std::string Digit = std::to_string(Weapon + 1);
        for (const auto& [Action, Price, Flags] :
             {std::tuple{"msNEWGAME_C_Buy" + Digit, TShop::BuyPrices[Weapon], &TProfile::Owned},
              std::tuple{"msNEWGAME_C_Bul" + Digit, TShop::ChargePrices[Weapon], &TProfile::Charged}}) {
            for (const int Credits : {Price, Price + 1}) {
                Profile = TProfile();
                Profile.Credits = Credits;
                Shop->Alert.Trigger = 0;
                Shop->OnClick(Action);
                const bool Sold = Credits > Price;
                EXPECT_EQ((Profile.*Flags)[Weapon], Sold) << Action;
                EXPECT_EQ(Profile.Credits, Sold ? 1 : Price) << Action;
                EXPECT_EQ(Shop->Alert.Trigger, !Sold) << Action;
            }
        }
    }
}

TEST_F(TShopTest, EachUpgradeTakesTwoStepsOfItsOwnLevelAndThenStops) {
    for (const auto& [Action, Level] : {std::pair{"msNEWGAME_C_UpgSpeed", &TProfile::SpeedLevel},
                                        {"msNEWGAME_C_UpgSteer", &TProfile::SteerLevel},
                                        {"msNEWGAME_C_UpgShield", &TProfile::ShieldLevel}}) {
        Profile = TProfile();
        Profile.Credits = 16000; // one short of both steps: the second needs more than 10000
        Shop->OnClick(Action);
        Shop->OnClick(Action);
        EXPECT_EQ(Profile.*Level, 2) << Action;
        EXPECT_EQ(Profile.SpeedLevel + Profile.SteerLevel + Profile.ShieldLevel, 4) << Action;
        Profile.Credits += 1;
        Shop->OnClick(Action);
        EXPECT_EQ(Profile.*Level, 3) << Action;
        EXPECT_EQ(Profile.Credits, 1) << Action;
        Profile.Credits = 50000;
        Shop->Alert.Trigger = 0;
        Shop->OnClick(Action);
        EXPECT_EQ(Profile.*Level, 3) << Action;
        EXPECT_EQ(Profile.Credits, 50000) << Action;
        EXPECT_EQ(Shop->Alert.Trigger, 0) << Action; // nothing left to buy is no refusal
    }
}

TEST_F(TShopTest, RowsOfferBuyingThenChargingThenNothingAndUpgradesUntilLevelThree) {
    const int LongBomb = 390 + 2 * 30, Speed = 240;
    EXPECT_EQ(ClickRow(LongBomb), std::vector<std::string>{"msNEWGAME_C_Buy3"}); // refused: no charge yet
    EXPECT_EQ(ClickRow(LongBomb), std::vector<std::string>{"msNEWGAME_C_Buy3"});
    Profile.Credits = 30000;
    EXPECT_EQ(ClickRow(LongBomb), std::vector<std::string>{"msNEWGAME_C_Buy3"});
    EXPECT_TRUE(PriceShown(LongBomb));
    EXPECT_EQ(ClickRow(LongBomb), std::vector<std::string>{"msNEWGAME_C_Bul3"});
    EXPECT_EQ(Profile.Credits, 30000 - 3000 - 100);
    EXPECT_TRUE(ClickRow(LongBomb).empty());
    EXPECT_FALSE(PriceShown(LongBomb));
    EXPECT_TRUE(PriceShown(LongBomb - 30)); // the phazer's row keeps its own

    EXPECT_EQ(ClickRow(Speed), std::vector<std::string>{"msNEWGAME_C_UpgSpeed"});
    EXPECT_TRUE(PriceShown(Speed));
    EXPECT_EQ(ClickRow(Speed), std::vector<std::string>{"msNEWGAME_C_UpgSpeed"});
    EXPECT_EQ(Profile.SpeedLevel, 3);
    EXPECT_TRUE(ClickRow(Speed).empty());
    EXPECT_FALSE(PriceShown(Speed));
    EXPECT_TRUE(PriceShown(Speed + 30));
}

TEST_F(TShopTest, TheWeaponRowUnderThePointerIsDescribedBelowThePanel) {
    GameText.msNEWGAME_C_AboutEMP = GameText.msNEWGAME_C_AboutPhazer = GameText.msNEWGAME_C_AboutHyperShield =
        "";
    GameText.msNEWGAME_C_AboutLongBomb = "Flies while held";
    const TRect About{300, 598, 960, 620}, Keys{300, 623, 960, 645};
    const struct {
        int Y;
        bool AboutShown, KeysShown;
    } Rows[] = {{308, false, false}, {460, true, true}, {400, false, true}, {520, false, false}};
    for (const auto& Row : Rows) {
        TestEngine->CursorX = 400;
        TestEngine->CursorY = Row.Y;
        EXPECT_EQ(Ink(About), Row.AboutShown) << Row.Y;
        EXPECT_EQ(Ink(Keys), Row.KeysShown) << Row.Y;
    }
}

TEST_F(TAlertTest, StaysForItsDurationAfterTheLastRefusal) {
    const TRect Message{420, 370, 604, 400}; // centred on (512, 384)
    EXPECT_FALSE(Ink(Message, true));
    TestClock.SetTickCount(5000);
    Shop->OnClick("msNEWGAME_C_Buy1");
    EXPECT_TRUE(Ink(Message, true));
    EXPECT_FALSE(Ink({0, 0, 420, 768}, true));
    TestClock.Advance(1000);
    Shop->OnClick("msNEWGAME_C_Buy2"); // restarts the 1.5 seconds
    Shop->RunAlert();
    EXPECT_EQ(Shop->Alert.StartTick, 6000u);
    TestClock.Advance(1500);
    EXPECT_TRUE(Ink(Message, true));
    TestClock.Advance(1);
    EXPECT_TRUE(Ink(Message, true)); // drawn once more, then over
    EXPECT_EQ(Shop->Alert.Active, 0);
    EXPECT_FALSE(Ink(Message, true));
}

TEST_F(TShopTest, TheCreditCheatNeedsAllFiveLettersAndTheCheatSwitch) {
    const std::vector<int> Letters = {44, 18, 19, 30, 20}; // Z E R A T
    auto Frame = [&](int Changed, bool Down) {
        Input.KeyEvent(Changed, Down);
        Keyboard.Update();
        Shop->TestCreditCheat();
    };
    for (int Key : Letters)
        Frame(Key, true);
    EXPECT_EQ(Profile.Credits, 1500);
    CheatsEnabled = true;
    Frame(0, false);
    Frame(0, false); // every frame the keys stay down
    EXPECT_EQ(Profile.Credits, 3500);
    for (int Key : Letters) {
        Frame(Key, false);
        EXPECT_EQ(Profile.Credits, 3500) << Key;
        Input.KeyEvent(Key, true);
    }
}

} // namespace
