#pragma once

#include "engine/TEngineAnimButtonEx.h"
#include "engine/TEngineCheckBox.h"
#include "engine/TEngineCutLabel.h"
#include "engine/TEngineEdit.h"
#include "engine/TEngineListBox.h"
#include "menu/TAlert.h"
#include "menu/TCredits.h"
#include "menu/THighScores.h"
#include "menu/TLanguageChoice.h"
#include "menu/TMAINScreen.h"
#include "menu/TQuestion.h"
#include "menu/TSETTINGSScreen.h"
#include "menu/TShop.h"
#include "missions/TMenuDoor.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class TEngine;

enum TMenuScreen : uint8_t {
    msNewGame = 0,
    msMain = 2,
    msCredits = 3,
    msHighScore = 4,
    msSettings = 5,
    msSetProfile = 6,
    msFirstUser = 7
};

// Every screen between the intro and a mission: the main menu and its animation, the new-game choice,
// the campaign and endless set-up pages, the profile screens, and the frame the shop, settings, high
// scores and credits sit in. Widget clicks come back by name to OnWidgetClick.
class TGameMenu : public TMenuDoor {
  public:
    explicit TGameMenu(TEngine& Engine);
    // Saves the active profile, then the high scores.
    ~TGameMenu();
    TGameMenu(const TGameMenu&) = delete;
    TGameMenu& operator=(const TGameMenu&) = delete;

    // Once per frame in the menu state.
    void Render();
    void OnWidgetClick(const std::string& Action);
    // Every caption is measured and laid out when the menu is made, so once a screen has chosen another
    // language (Settings.Language), its texts are read in and the menu is made anew in them, on the
    // screen it was on, for the next frame.
    static void FollowLanguage(std::unique_ptr<TGameMenu>& Menu);

    // The application asks to end when the exit button's fade is done.
    std::function<void()> OnExit;

    // Where the menu opens: the main screen, or the first-user screen while no profile has been read
    // from its file (none yet, or the active one damaged), since play is kept only in a profile that
    // can be saved.
    static TMenuScreen StartScreen();
    // The top of the main screen's button Index (0 new game ... 5 exit).
    static int MainButtonTop(int Index);

    // The endless mode's ship choices: the first ticked box of each group, 1 when none is.
    int GetSpeed() const override;
    int GetSteer() const override;
    int GetShield() const override;
    void ShowCampaignPage() override;
    void ShowCredits() override;
    void ShowHighScores(int SurvivalTime, int Kills) override;
    // Completed missions in order, then the first open one.
    void FillMissionList();
    bool CampaignFinished() const;

    TEngine& Engine;
    uint8_t Screen = msMain;
    int SubScreen = 0;
    TEngineAnimButtonEx NewGameCancel;
    TEngineAnimButtonEx CampaignBack;
    TEngineAnimButtonEx EndlessBack;
    TEngineAnimButtonEx CampaignButton;
    TEngineAnimButtonEx EndlessButton;
    // Speed 1..3, steer 1..3, shield 1..3.
    std::vector<TEngineCheckBox> OptionBoxes;
    TEngineAnimButtonEx EndlessPlay;
    TEngineCutLabel CampaignInfo;
    TEngineListBox MissionList;
    TEngineAnimButtonEx NextMission;
    TEngineAnimButtonEx RepeatMission;
    TMAINScreen MainScreen;
    TEngineCutLabel CantDeleteLabel;
    TEngineAnimButtonEx ProfileLoad;
    TEngineAnimButtonEx ProfileCancel;
    TEngineAnimButtonEx ProfileCreate;
    TEngineAnimButtonEx ProfileDelete;
    TEngineListBox ProfileList;
    TEngineEdit ProfileName;
    TEngineAnimButtonEx FirstUserCreate;
    TEngineEdit FirstUserName;
    TLanguageChoice FirstUserLanguage;
    // Asks before a profile is deleted; its detail line is the name of the profile to go.
    TQuestion DeleteQuestion;
    // Esc on the first-user screen asks before the game ends, as there is no other way back from there.
    TQuestion QuitQuestion;
    // Says why the active profile is not deleted.
    TAlert ProfileAlert;
    // The language the texts were read in when the menu was made.
    std::string ShownLanguage;

    TShop Shop;
    TSETTINGSScreen SettingsScreen;
    THighScores HighScores;
    TCredits CreditsScreen;

  private:
    // The actions Esc and Enter stand for on the screen shown; empty where the key does nothing.
    struct TKeyActions {
        std::string Back;
        std::string Confirm;
    };
    TKeyActions ScreenKeys() const;
    void RunKeys(const TKeyActions& Keys);
    // What a menu made anew keeps of the one it replaces.
    void TakeOver(const TGameMenu& Old);

    void RunMain();
    void ShowMain();
    void SlideIn();
    void FadeOut();
    void SwitchScreen();
    void LeaveMain(const std::string& Target);
    void RunNewGame();
    void RunCampaign();
    void RunEndless();
    void RunSetProfile();
    void RunFirstUser();
    void LoadSelectedProfile();
    void CreateProfile();
    void AskToDeleteSelectedProfile();
    void DeleteAskedProfile();
    void CreateFirstUser();
    void SelectPlayableMission();
    void StartCampaignMission();
    void StartMission(int Item);
    void ChooseOption(int Box);
    int FirstTicked(int Group) const;
    bool HandleMenuAction(const std::string& Action);
    void Title(const std::string& Text, int X, int Y);
    void Direct(const std::string& Text, int X, int Y, uint32_t Colour, int Font);

    // The screen drawn last, so that a change shows at the next frame.
    int ShownScreen = -1;
    int ShownSubScreen = -1;
};

extern std::unique_ptr<TGameMenu> GameMenu;
