#include "TMissionRun.h"

#include "TKeyPad.h"

#include "app/Globals.h"
#include "app/TmainFrm.h"
#include "menu/TGameMenu.h"
#include "missions/TLoading.h"
#include "render/TKeyCodes.h"
#include "world/TShip.h"

#include <cctype>
#include <cstdlib>
#include <iostream>

namespace {

// A wreck drifts for a while before the player gives up and confirms the exit dialog.
constexpr int WreckWatchFrames = 150;

} // namespace

TMissionRun::TMissionRun(const TCommandLine& Options, int MaxPlayMs)
    : Options(Options), MaxPlayMs(MaxPlayMs) {
    this->Options.HasSeed = true;
}

TMissionRun::~TMissionRun() {
    Frame.reset();
    ResetGlobals();
}

bool TMissionRun::StartGame(uint32_t Seed) {
    Frame.reset();
    ResetGlobals();
    Options.Seed = Seed;
    Frame = std::make_unique<TmainFrm>(Options);
    // One file holds one game's input.
    Options.RecordFile.clear();
    if (!Frame->FormCreate())
        return false;
    Keys.Attach(Frame->Input);
    return true;
}

int TMissionRun::MissionNumber(const std::string& Name) {
    if (Name.size() != 7 || Name.compare(0, 5, "level") != 0 ||
        !std::isdigit(static_cast<unsigned char>(Name[5])) ||
        !std::isdigit(static_cast<unsigned char>(Name[6])))
        return 0;
    return (Name[5] - '0') * 10 + (Name[6] - '0');
}

// As the campaign page's play button does.
void TMissionRun::Load(const std::string& Name) {
    IntroFinished = true;
    LevelName = Name;
    CampaignMission = MissionNumber(Name);
    Loading->Visible = true;
    GameState = gsLoading;
}

TMissionResult TMissionRun::Play(const std::string& Name, uint32_t Seed, const TProfile& Player) {
    if (!StartGame(Seed)) {
        std::cerr << "Autopilot: the game did not start\n";
        std::exit(1);
    }
    Profile = Player;
    Pilot.Reset(Seed);
    Reading = Playing = false;
    WreckFrames = 0;
    TMissionResult Result;
    Result.Name = Name;
    Result.Seed = Seed;
    Load(Name);
    while (GameState != gsMenu) {
        if (GameState == gsBriefing)
            ReadBriefing();
        else if (GameState == gsPlaying)
            Fly(Result);
        if (GameState == gsMenu)
            break;
        Keys.Send();
        NextFrame();
    }
    Keys.ReleaseAll();
    Result.Won = Game.Mode == "C" && CampaignMission > 0 && Profile.MissionDone[CampaignMission] != 0;
    Result.PlayMs = Playing ? static_cast<int>(SinceTick(PlayStart)) : 0;
    Result.Score = Game.Score;
    Result.CreditsEarned = Profile.Credits - Player.Credits;
    Result.BriefingWords = Reader.Words();
    Result.After = Profile;
    return Result;
}

int TMissionRun::BriefingWords() {
    const int Caption = Game.Mode == "C" ? Game.Campaign.CaptionIndex : Game.Endless.CaptionIndex;
    int Words = Caption >= 0 && Caption < 20 ? TBriefingClock::CountWords(GameText.LevelCaption[Caption]) : 0;
    for (const TPreGameText& Line : Game.PreGameTexts)
        Words += TBriefingClock::CountWords(Line.Text);
    return Words;
}

// Space once the text is read and the prompt blinks.
void TMissionRun::ReadBriefing() {
    if (!Reading) {
        Reader.Start(Now(), BriefingWords());
        Reading = true;
    }
    if (Game.Phase == 3 && Reader.Read(Now()))
        Keys.Tap(TKeyCodes::Space);
}

void TMissionRun::Fly(TMissionResult& Result) {
    if (!Playing && !Game.Paused) {
        Playing = true;
        PlayStart = Now();
        const std::vector<TWave>& Waves = Game.Campaign.Waves;
        if (Game.Mode == "C" && !Waves.empty() && Waves[0].Kind == wkTimed)
            Result.FirstWaveLeftMs = Waves[0].Goal - static_cast<int>(SinceTick(Game.WaveStamp));
    }
    if (!Game.Ship)
        return;
    Result.EnergyLeft = Game.Ship->Energy;
    if (Game.Ship->Destroyed) {
        if (++WreckFrames == WreckWatchFrames)
            ConfirmExit();
        return;
    }
    if (Playing && SinceTick(PlayStart) > MaxPlayMs) {
        Result.TimedOut = true;
        ConfirmExit();
        return;
    }
    Pilot.Fly();
}

// The exit dialog's OK button.
void TMissionRun::ConfirmExit() {
    GameMenu->OnWidgetClick("interfaceOK");
}

void TMissionRun::NextFrame() {
    const int Target = Frame->GameFrames() + 1;
    while (Frame->GameFrames() < Target && !Frame->Closed())
        Frame->RunOnce();
}
