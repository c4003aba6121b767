#include "menu/TGameMenu.h"

#include "engine/TEngine.h"
#include "engine/TMenuKeys.h"
#include "menu/TProfileFiles.h"
#include "missions/TCampaignProgress.h"
#include "missions/TGameState.h"
#include "missions/THud.h"
#include "missions/TInterface.h"
#include "missions/TLoading.h"
#include "missions/TProfile.h"
#include "render/TVelaCanvas.h"
#include "render/TVelaFontAlt.h"
#include "render/TVelaFontsAlt.h"
#include "render/TVelaMouse.h"
#include "runtime/TAscii.h"
#include "runtime/TClock.h"
#include "runtime/TGameFolders.h"
#include "runtime/TSettings.h"
#include "text/TText.h"

#include <algorithm>

namespace {

constexpr uint32_t Bright = 0xFF32FBFFu;
constexpr uint32_t Plain = 0xFF7EAFB1u;
constexpr uint32_t Hover = 0xFF008000u;
constexpr uint32_t BoxFill = 0x60446944u;
constexpr uint32_t BoxBorder = 0xFF446944u;
constexpr int MainStepMs = 11;
constexpr int MainStopX = 51;
constexpr int EnterGap = -300;

TEngineAnimButtonEx Button(TEngine& Engine, const std::string& Action, const std::string& Caption, int X,
                           int Y, int Anchor, uint32_t CaptionColour = Plain) {
    return TEngineAnimButtonEx(Engine, Action, Caption, X, Y, CaptionColour, Hover, Anchor, 1, "button", 94,
                               9, 0, 1, 25, 17, 188, 25);
}

TEngineAnimButtonEx AnimButton(TEngine& Engine, const std::string& Action, const std::string& Caption, int X,
                               int Y) {
    return TEngineAnimButtonEx(Engine, Action, Caption, X, Y, Plain, Hover, 0, 0, "animbtn", 100, 37, 0, 1, 0,
                               0, 347, 60);
}

TEngineEdit NameEdit(TEngine& Engine, int X, int Y, int Width) {
    TEngineEdit Edit(Engine, X, Y, 25, Width, 0);
    Edit.BackgroundColour = BoxFill;
    Edit.BorderColour = BoxBorder;
    Edit.TextColour = Plain;
    Edit.SetMaxLength(20);
    return Edit;
}

const char* const OptionActions[9] = {"msNEWGAME_Speed1",  "msNEWGAME_Speed2",  "msNEWGAME_Speed3",
                                      "msNEWGAME_Steer1",  "msNEWGAME_Steer2",  "msNEWGAME_Steer3",
                                      "msNEWGAME_Shield1", "msNEWGAME_Shield2", "msNEWGAME_Shield3"};

const char* const MainActions[6] = {"msMAIN_NewGame",   "msMAIN_SetProfile", "msMAIN_Settings",
                                    "msMAIN_HighScore", "msMAIN_Credits",    "msMAIN_Exit"};
const char* const MainTargets[6] = {"NEW", "SPR", "SET", "SCO", "CRE", "EXI"};

} // namespace

TGameMenu::TGameMenu(TEngine& Engine)
    : Engine(Engine), NewGameCancel(Button(Engine, "msCREDITS_OK", GameText.msNEWGAME_Cancel, 512, 650, 1)),
      CampaignBack(Button(Engine, "msNEWGAME_Back", GameText.msNEWGAME_Cancel, 872, 546, 1)),
      EndlessBack(Button(Engine, "msNEWGAME_Back", GameText.msNEWGAME_Cancel, 524, 650, 0)),
      CampaignButton(AnimButton(Engine, "msNEWGAME_Campaign", GameText.msNEWGAME_Campaign, 50, 100)),
      EndlessButton(AnimButton(Engine, "msNEWGAME_Kestrune", GameText.msNEWGAME_Kestrune, 50, 170)),
      EndlessPlay(Button(Engine, "msNEWGAME_Play", GameText.msNEWGAME_KST_Play, 500, 650, 2)),
      CampaignInfo(Engine, 0, 50, 550, 850, 15, Plain, GameText.msNEWGAME_KST_CampaignInfo),
      MissionList(Engine, 47, 130, 200, 397, 0),
      NextMission(Button(Engine, "msNEWGAME_C_Play", GameText.msNEWGAME_C_NextMission, 633, 546, 1)),
      RepeatMission(Button(Engine, "msNEWGAME_C_Play", GameText.msNEWGAME_C_Repeat, 633, 546, 1)),
      CantDeleteLabel(Engine, 0, 450, 590, 470, 15, Plain, GameText.msSETPROFILE_CantDel),
      ProfileLoad(Button(Engine, "msSETPROFILE_Load", GameText.msSETPROFILE_Load, 500, 670, 2)),
      ProfileCancel(Button(Engine, "msCREDITS_OK", GameText.msSETPROFILE_Cancel, 736, 670, 0)),
      ProfileCreate(Button(Engine, "msSETPROFILE_Create", GameText.msSETPROFILE_Create, 288, 670, 2)),
      ProfileDelete(Button(Engine, "msSETPROFILE_Delete", GameText.msSETPROFILE_Delete, 524, 670, 0)),
      ProfileList(Engine, 60, 140, 350, 395, 0), ProfileName(NameEdit(Engine, 60, 595, 350)),
      FirstUserCreate(
          Button(Engine, "msFIRSTUSER_Create", GameText.msSETPROFILE_Create, 512, 350, 1, 0xFFFFFFFFu)),
      FirstUserName(NameEdit(Engine, 312, 300, 400)),
      FirstUserLanguage(Engine, "msFIRSTUSER_Language_", 512, 455, 600, 1, 4),
      DeleteQuestion(Engine, GameText.msSETPROFILE_Delete, "msSETPROFILE_DeleteYes",
                     GameText.msSETTINGS_Cancel, "msSETPROFILE_DeleteNo"),
      QuitQuestion(Engine, GameText.msMAIN_Exit, "msFIRSTUSER_QuitYes", GameText.msSETTINGS_Cancel,
                   "msFIRSTUSER_QuitNo"),
      ProfileAlert(Engine, 0), ShownLanguage(Settings.Language), Shop(Engine), SettingsScreen(Engine),
      HighScores(Engine), CreditsScreen(Engine) {
    Screen = StartScreen();
    FirstUserLanguage.Chosen = Settings.Language;
    ProfileAlert.Duration = 2500;
    const std::string* OptionCaptions[9] = {
        &GameText.msNEWGAME_Speed1,  &GameText.msNEWGAME_Speed2,  &GameText.msNEWGAME_Speed3,
        &GameText.msNEWGAME_Steer1,  &GameText.msNEWGAME_Steer2,  &GameText.msNEWGAME_Steer3,
        &GameText.msNEWGAME_Shield1, &GameText.msNEWGAME_Shield2, &GameText.msNEWGAME_Shield3};
    OptionBoxes.reserve(9);
    for (int Box = 0; Box < 9; ++Box)
        OptionBoxes.emplace_back(Engine, OptionActions[Box], 600, 200 + 100 * (Box / 3) + 25 * (Box % 3),
                                 *OptionCaptions[Box], false, Plain, Bright, BoxFill, BoxBorder, BoxBorder,
                                 0);
    MissionList.SelectionColour = 0xCC446944u;
    MissionList.TextColour = Plain;
    MissionList.BackgroundColour = BoxFill;
    MissionList.NoBackground = true;
    MissionList.BorderColour = 0x00446944u;
    MissionList.ScrollBarShown = false;
    ProfileList.SelectionColour = 0xCC446944u;
    ProfileList.TextColour = Plain;
    ProfileList.BackgroundColour = BoxFill;
    ProfileList.BorderColour = BoxBorder;
    ProfileList.SetSorted(true);
    const std::string* MainCaptions[6] = {&GameText.msMAIN_NewGame,  &GameText.msMAIN_SetProfile,
                                          &GameText.msMAIN_Settings, &GameText.msMAIN_HighScore,
                                          &GameText.msMAIN_Credits,  &GameText.msMAIN_Exit};
    MainScreen.Buttons.reserve(6);
    for (int Index = 0; Index < 6; ++Index)
        MainScreen.Buttons.push_back(
            AnimButton(Engine, MainActions[Index], *MainCaptions[Index], -350, MainButtonTop(Index)));
    CreditsScreen.LoadCredits();
}

int TGameMenu::MainButtonTop(int Index) {
    // The same on every appearance, the first included, so a player aiming at a button finds it.
    return 70 + 80 * Index;
}

TMenuScreen TGameMenu::StartScreen() {
    return TProfileFiles::ProfileLoaded() ? msMain : msFirstUser;
}

TGameMenu::~TGameMenu() {
    TProfileFiles::SaveProfile();
    HighScores.SaveHighScores();
}

void TGameMenu::FollowLanguage(std::unique_ptr<TGameMenu>& Menu) {
    if (!Menu || TAscii::SameName(Menu->ShownLanguage, Settings.Language))
        return;
    GameText.LoadLanguage(ProgramDir, Settings.Language);
    auto Fresh = std::make_unique<TGameMenu>(Menu->Engine);
    Fresh->TakeOver(*Menu);
    // The old menu saves the profile and the high scores as it goes, as at every shutdown.
    Menu = std::move(Fresh);
}

void TGameMenu::TakeOver(const TGameMenu& Old) {
    OnExit = Old.OnExit;
    SettingsScreen.OnWindowedChanged = Old.SettingsScreen.OnWindowedChanged;
    Screen = Old.Screen;
    SubScreen = Old.SubScreen;
    if (Screen == msMain)
        MainScreen.Phase = -1;
    FirstUserName.SetText(Old.FirstUserName.Text());
    FirstUserName.SetCaretPosition(Old.FirstUserName.CaretPosition());
    for (size_t Box = 0; Box < OptionBoxes.size(); ++Box)
        OptionBoxes[Box].Ticked = Old.OptionBoxes[Box].Ticked;
    HighScores.Times = Old.HighScores.Times;
    HighScores.Kills = Old.HighScores.Kills;
}

// --- Frame ----------------------------------------------------------------------------------------

void TGameMenu::Render() {
    if (Screen != ShownScreen || SubScreen != ShownSubScreen) {
        // The press that opened this screen belonged to the one before: nothing here may take it.
        Engine.Mouse.WaitForRelease(0);
        ShownScreen = Screen;
        ShownSubScreen = SubScreen;
    }
    // Read before the screen runs: a capture or a question that a key ends in this frame has used it.
    const TKeyActions Keys = ScreenKeys();
    const char* Background = "background";
    if (Screen == msNewGame && SubScreen == 1)
        Background = "background3";
    else if (Screen == msNewGame && SubScreen == 2)
        Background = "background2";
    // The settings page's own, with plates under its check boxes; an older texture list lacks it.
    else if (Screen == msSettings && Engine.FindTexture("background4") != nullptr)
        Background = "background4";
    Engine.Canvas.Draw(Engine.GetTexture(Background), 0, 0, 0, EffectOpaque);
    Shop.TestCreditCheat();
    switch (Screen) {
    case msNewGame:
        RunNewGame();
        break;
    case msMain:
        RunMain();
        break;
    case msCredits:
        CreditsScreen.Run();
        break;
    case msHighScore:
        HighScores.Run();
        break;
    case msSettings:
        SettingsScreen.Run();
        break;
    case msSetProfile:
        RunSetProfile();
        break;
    case msFirstUser:
        RunFirstUser();
        break;
    default:
        break;
    }
    // A click that changed the screen in this frame has already answered it.
    if (Screen == ShownScreen && SubScreen == ShownSubScreen)
        RunKeys(Keys);
}

TGameMenu::TKeyActions TGameMenu::ScreenKeys() const {
    switch (Screen) {
    case msNewGame:
        return {SubScreen == 0 ? "msCREDITS_OK" : "msNEWGAME_Back", ""};
    case msSettings:
        // While a key is being captured, Esc belongs to the capture and Enter may be the key wanted.
        if (SettingsScreen.CaptureState != 0)
            return {};
        return {"msCREDITS_OK", "msSETTINGS_Apply"};
    case msSetProfile:
        if (DeleteQuestion.Open())
            return {};
        return {"msCREDITS_OK", ProfileName.Text().empty() ? "" : "msSETPROFILE_Create"};
    case msFirstUser:
        if (QuitQuestion.Open())
            return {};
        return {"msFIRSTUSER_Quit", FirstUserName.Text().empty() ? "" : "msFIRSTUSER_Create"};
    default:
        return {};
    }
}

void TGameMenu::RunKeys(const TKeyActions& Keys) {
    if (!Keys.Back.empty() && TMenuKeys::Back(Engine.Keyboard))
        OnWidgetClick(Keys.Back);
    else if (!Keys.Confirm.empty() && TMenuKeys::Confirm(Engine.Keyboard))
        OnWidgetClick(Keys.Confirm);
}

void TGameMenu::Title(const std::string& Text, int X, int Y) {
    Engine.DrawText(Text, X, Y, 1, 0, Bright, 3);
}

void TGameMenu::Direct(const std::string& Text, int X, int Y, uint32_t Colour, int Font) {
    Engine.Canvas.Flush();
    if (TVelaFontAlt* Entry = Engine.Fonts.Font(Font))
        Entry->TextOut(Text, X, Y, Colour);
}

// --- Main menu ------------------------------------------------------------------------------------

void TGameMenu::RunMain() {
    Engine.DrawTexture(Engine.GetTexture("title"), 290, 640, 0, 0, 254);
    for (TEngineAnimButtonEx& Entry : MainScreen.Buttons)
        Entry.Run();
    switch (MainScreen.Phase) {
    case -1:
        ShowMain();
        break;
    case 0:
        SlideIn();
        break;
    case 1:
        FadeOut();
        break;
    case 2:
        SwitchScreen();
        break;
    default:
        break;
    }
}

void TGameMenu::ShowMain() {
    for (TEngineAnimButtonEx& Entry : MainScreen.Buttons) {
        Entry.SetFadeAlpha(254);
        Entry.Glow = 0;
        Entry.SetFadeMode(false);
    }
    Engine.CursorVisible = true;
    for (size_t Index = 0; Index < MainScreen.Buttons.size(); ++Index) {
        MainScreen.Buttons[Index].SetCaptionVisible(true);
        MainScreen.Buttons[Index].MoveTo(-350, MainButtonTop(static_cast<int>(Index)));
    }
    MainScreen.Phase = 0;
    MainScreen.LastStep = Now();
}

void TGameMenu::SlideIn() {
    if (SinceTick(MainScreen.LastStep) < MainStepMs)
        return;
    MainScreen.LastStep = Now();
    // One after another: each button starts once the one before it is well on its way.
    for (size_t Index = 0; Index < MainScreen.Buttons.size(); ++Index) {
        TEngineAnimButtonEx& Entry = MainScreen.Buttons[Index];
        const bool PreviousUnderway = Index == 0 || MainScreen.Buttons[Index - 1].GetPosition().x >= EnterGap;
        if (PreviousUnderway && Entry.GetPosition().x < MainStopX)
            Entry.MoveBy(15, 0);
    }
}

void TGameMenu::FadeOut() {
    if (SinceTick(MainScreen.LastStep) < MainStepMs)
        return;
    MainScreen.LastStep = Now();
    for (TEngineAnimButtonEx& Entry : MainScreen.Buttons)
        if (Entry.GetFadeAlpha() > 0)
            Entry.SetFadeAlpha(std::max(Entry.GetFadeAlpha() - 4, 0));
    if (MainScreen.Buttons[0].GetFadeAlpha() < 1)
        MainScreen.Phase = 2;
}

void TGameMenu::SwitchScreen() {
    const std::string& Target = MainScreen.Target;
    if (Target == "NEW") {
        FillMissionList();
        SubScreen = 0;
        Screen = msNewGame;
    } else if (Target == "SPR") {
        TProfileFiles::FillProfileList(ProfileList);
        ProfileName.Clear();
        Screen = msSetProfile;
    } else if (Target == "SET") {
        Screen = msSettings;
    } else if (Target == "SCO") {
        Screen = msHighScore;
    } else if (Target == "CRE") {
        Screen = msCredits;
    } else if (Target == "EXI" && OnExit) {
        MainScreen.Target.clear(); // asked once
        OnExit();
    }
}

void TGameMenu::LeaveMain(const std::string& Target) {
    for (TEngineAnimButtonEx& Entry : MainScreen.Buttons) {
        Entry.SetFadeMode(true);
        Entry.SetCaptionVisible(false);
    }
    MainScreen.Phase = 1;
    MainScreen.Target = Target;
}

// --- New game -------------------------------------------------------------------------------------

void TGameMenu::RunNewGame() {
    switch (SubScreen) {
    case 3:
        FillMissionList();
        SubScreen = 1;
        break;
    case 0:
        CampaignButton.Run();
        EndlessButton.Run();
        NewGameCancel.Run();
        break;
    case 1:
        RunCampaign();
        break;
    case 2:
        RunEndless();
        break;
    default:
        break;
    }
}

bool TGameMenu::CampaignFinished() const {
    return Profile.MissionDone[CampaignMissionCount] != 0;
}

void TGameMenu::FillMissionList() {
    MissionList.Clear();
    for (int Mission = 1; Mission <= CampaignMissionCount; ++Mission) {
        MissionList.Add(GameText.msNEWGAME_Chapter + " " + std::to_string(Mission));
        if (Profile.MissionDone[Mission] == 0)
            break;
    }
}

void TGameMenu::SelectPlayableMission() {
    // The highlighted mission is always the one the play button starts: the open one, or once the
    // campaign is won the player's choice, the last mission until there is one.
    const int Selected = MissionList.Selected();
    if (!CampaignFinished() || Selected < 0 || Selected >= MissionList.Count())
        MissionList.Select(MissionList.Count() - 1);
}

void TGameMenu::RunCampaign() {
    Title(GameText.msNEWGAME_Campaign, 476, 70);
    Shop.Run();
    SelectPlayableMission();
    MissionList.Run();
    if (CampaignFinished()) {
        Direct(GameText.msNEWGAME_C_ChooseMission, 50, 110, Plain, 0);
        RepeatMission.Run();
    } else {
        NextMission.Run();
    }
    Shop.RunAlert();
    CampaignBack.Run();
}

void TGameMenu::RunEndless() {
    Engine.DrawText(GameText.msNEWGAME_Kestrune, 512, 50, 1, 0, Bright, 3);
    Engine.DrawText(GameText.msNEWGAME_KST_Caption, 512, 160, 1, 0, Bright, 0);
    Engine.DrawText(GameText.msNEWGAME_KST_Speed, 500, 220, 2, 0, Plain, 0);
    Engine.DrawText(GameText.msNEWGAME_KST_Steer, 500, 320, 2, 0, Plain, 0);
    Engine.DrawText(GameText.msNEWGAME_KST_Shield, 500, 420, 2, 0, Plain, 0);
    CampaignInfo.Run();
    // The endless ship can be chosen once the campaign is won.
    for (TEngineCheckBox& Box : OptionBoxes) {
        Box.Enabled = CampaignFinished();
        Box.Run();
    }
    EndlessPlay.Run();
    EndlessBack.Run();
}

void TGameMenu::StartCampaignMission() {
    if (!CampaignFinished()) {
        MissionList.Select(MissionList.Count() - 1);
        StartMission(MissionList.Count() - 1);
    } else if (MissionList.Selected() >= 0) {
        StartMission(MissionList.Selected());
    }
}

void TGameMenu::StartMission(int Item) {
    if (Item < 0)
        return;
    Loading->Visible = true;
    CampaignMission = Item + 1;
    char Name[16];
    std::snprintf(Name, sizeof Name, "level%02d", Item + 1);
    LevelName = Name;
    GameState = gsLoading;
}

void TGameMenu::ChooseOption(int Box) {
    // One box of each group of three stays ticked.
    const int First = Box / 3 * 3;
    if (OptionBoxes[Box].Ticked) {
        for (int Other = First; Other < First + 3; ++Other)
            if (Other != Box)
                OptionBoxes[Other].Ticked = false;
    } else {
        OptionBoxes[First + (Box - First + 1) % 3].Ticked = true;
    }
}

int TGameMenu::FirstTicked(int Group) const {
    for (int Box = 0; Box < 3; ++Box)
        if (OptionBoxes[Group * 3 + Box].Ticked)
            return Box + 1;
    return 1;
}

void TGameMenu::ShowCampaignPage() {
    SubScreen = 3;
    Screen = msNewGame;
}

void TGameMenu::ShowCredits() {
    Screen = msCredits;
}

void TGameMenu::ShowHighScores(int SurvivalTime, int Kills) {
    HighScores.AddHighScore(SurvivalTime, Kills);
    Screen = msHighScore;
}

int TGameMenu::GetSpeed() const {
    return FirstTicked(0);
}

int TGameMenu::GetSteer() const {
    return FirstTicked(1);
}

int TGameMenu::GetShield() const {
    return FirstTicked(2);
}

// --- Profiles -------------------------------------------------------------------------------------

void TGameMenu::RunSetProfile() {
    Title(GameText.msMAIN_SetProfile, 512, 50);
    Direct(GameText.msSETPROFILE_NewUser, 60, 575, Plain, 0);
    Engine.DrawText(GameText.msSETPROFILE_ActiveUser, 710, 140, 1, 0, Plain, 0);
    Engine.DrawText(Profile.Name, 710, 170, 1, 0, Bright, 3);
    const std::pair<const std::string*, std::string> Rows[8] = {
        {&GameText.msSETPROFILE_CampProg, TCampaignProgress::GetCampaignProgress()},
        {&GameText.msSETPROFILE_DeathHighScore, std::to_string(Profile.BestKills)},
        {&GameText.msSETPROFILE_TimeHighScore, THud::GetFormatTime(Profile.BestTime)},
        {&GameText.msSETPROFILE_Speed, std::to_string(Profile.SpeedLevel)},
        {&GameText.msSETPROFILE_Steering, std::to_string(Profile.SteerLevel)},
        {&GameText.msSETPROFILE_Shield, std::to_string(Profile.ShieldLevel)},
        {nullptr, std::to_string(Profile.Mines)},
        {&GameText.msSETPROFILE_Wpns, ""}};
    for (int Row = 0; Row < 8; ++Row) {
        const int Y = 220 + 30 * Row;
        Direct(Rows[Row].first != nullptr ? *Rows[Row].first : GameText.wpnMine + ":", 450, Y, Plain, 0);
        if (!Rows[Row].second.empty())
            Engine.DrawText(Rows[Row].second, 964, Y, 2, 0, Bright, 0);
    }
    for (int Weapon = 0; Weapon < 4; ++Weapon) {
        const TWeaponStatus Status = THud::GetWeaponStatus(Weapon);
        Engine.DrawText(Status.Text, 710, 460 + 30 * Weapon, 1, 0, Status.Color, 0);
    }
    // Behind an open question the screen is only drawn.
    const bool Free = !DeleteQuestion.Open();
    for (TEngineAnimButtonEx* Button : {&ProfileLoad, &ProfileCancel, &ProfileCreate, &ProfileDelete}) {
        Button->Enabled = Free;
        Button->Run();
    }
    ProfileList.Enabled = ProfileName.Enabled = Free;
    ProfileList.Run();
    ProfileName.Run();
    CantDeleteLabel.Run();
    ProfileAlert.Run();
    DeleteQuestion.Run();
}

void TGameMenu::RunFirstUser() {
    Engine.DrawTexture(Engine.GetTexture("title"), 290, 640, 0, 0, 254);
    Title(GameText.msFIRSTUSER_Create, 512, 220);
    Engine.DrawText(GameText.msSETPROFILE_NewUser, 512, 281, 1, 0, Plain, 0);
    // Behind an open question the screen is only drawn.
    const bool Free = !QuitQuestion.Open();
    FirstUserCreate.Enabled = FirstUserName.Enabled = FirstUserLanguage.Enabled = Free;
    FirstUserCreate.Run();
    // The screen's only box keeps the keyboard, so typing works before and after any click.
    FirstUserName.SetFocused(Free);
    FirstUserName.Run();
    Engine.DrawText(GameText.msSETTINGS_Language, 512, 430, 1, 0, Plain, 0);
    FirstUserLanguage.Run();
    QuitQuestion.Run();
}

void TGameMenu::LoadSelectedProfile() {
    if (ProfileList.Selected() < 0)
        return;
    TProfileFiles::SaveProfile();
    TProfileFiles::LoadProfile(TProfileFiles::FileOfUser(ProfileList.GetItem(ProfileList.Selected())));
}

void TGameMenu::CreateProfile() {
    if (ProfileName.Text().empty())
        return;
    TProfileFiles::CreateProfile(ProfileName.Text(), false);
    TProfileFiles::FillProfileList(ProfileList);
    ProfileName.Clear();
}

void TGameMenu::AskToDeleteSelectedProfile() {
    if (ProfileList.Selected() < 0)
        return;
    const std::string Name = ProfileList.GetItem(ProfileList.Selected());
    if (!TProfileFiles::IsActiveFile(TProfileFiles::FileOfUser(Name))) {
        DeleteQuestion.Ask(GameText.msSETPROFILE_AskDel, Name);
        return;
    }
    // The active profile stays, and the player is told why.
    ProfileAlert.Message = GameText.msSETPROFILE_DelActive;
    ProfileAlert.Trigger = 1;
    TProfileFiles::FillProfileList(ProfileList);
}

void TGameMenu::DeleteAskedProfile() {
    DeleteQuestion.Close();
    TProfileFiles::DeleteProfile(DeleteQuestion.Detail);
    TProfileFiles::FillProfileList(ProfileList);
}

void TGameMenu::CreateFirstUser() {
    if (FirstUserName.Text().empty())
        return;
    // A profile that could not be written has been reported; the screen stays for another try.
    if (!TProfileFiles::CreateProfile(FirstUserName.Text(), true))
        return;
    TProfileFiles::LoadProfile(TProfileFiles::ActiveFile());
    Screen = StartScreen();
}

// --- Clicks ---------------------------------------------------------------------------------------

void TGameMenu::OnWidgetClick(const std::string& Action) {
    if (SettingsScreen.OnClick(Action) || Shop.OnClick(Action) || HandleMenuAction(Action))
        return;
    if (FirstUserLanguage.OnClick(Action)) {
        Settings.Language = FirstUserLanguage.Chosen;
        return;
    }
    for (int Index = 0; Index < 6; ++Index)
        if (Action == MainActions[Index]) {
            if (Action == "msMAIN_Settings")
                SettingsScreen.Load();
            LeaveMain(MainTargets[Index]);
            return;
        }
    for (int Box = 0; Box < 9; ++Box)
        if (Action == OptionActions[Box]) {
            ChooseOption(Box);
            return;
        }
}

bool TGameMenu::HandleMenuAction(const std::string& Action) {
    if (Action == "msNEWGAME_Back") {
        SubScreen = 0;
    } else if (Action == "msNEWGAME_C_Play") {
        StartCampaignMission();
    } else if (Action == "msNEWGAME_Play") {
        Loading->Visible = true;
        LevelName = "ttd";
        GameState = gsLoading;
    } else if (Action == "msNEWGAME_Campaign") {
        SubScreen = 3;
    } else if (Action == "msNEWGAME_Kestrune") {
        SubScreen = 2;
    } else if (Action == "interfaceOK") {
        TInterface::LeaveGame();
    } else if (Action == "interfaceCancel") {
        TInterface::ResumeGame();
    } else if (Action == "msCREDITS_OK") {
        MainScreen.Phase = -1;
        Screen = msMain;
    } else if (Action == "msSETTINGS_Apply") {
        SettingsScreen.Apply();
        MainScreen.Phase = -1;
        Screen = msMain;
    } else if (Action == "msSETPROFILE_Load") {
        LoadSelectedProfile();
    } else if (Action == "msSETPROFILE_Create") {
        CreateProfile();
    } else if (Action == "msSETPROFILE_Delete") {
        AskToDeleteSelectedProfile();
    } else if (Action == "msSETPROFILE_DeleteYes") {
        DeleteAskedProfile();
    } else if (Action == "msSETPROFILE_DeleteNo") {
        DeleteQuestion.Close();
    } else if (Action == "msFIRSTUSER_Create") {
        CreateFirstUser();
    } else if (Action == "msFIRSTUSER_Quit") {
        QuitQuestion.Ask(GameText.msFIRSTUSER_AskQuit, "");
    } else if (Action == "msFIRSTUSER_QuitNo") {
        QuitQuestion.Close();
    } else if (Action == "msFIRSTUSER_QuitYes") {
        QuitQuestion.Close();
        if (OnExit)
            OnExit();
    } else {
        return false;
    }
    return true;
}
