#include "missions/TCampaignProgress.h"

#include "engine/TEngine.h"
#include "engine/TSoundEngine.h"
#include "missions/TGameState.h"
#include "missions/TMenuDoor.h"
#include "missions/TProfile.h"
#include "runtime/TClock.h"
#include "runtime/TRandom.h"
#include "text/TText.h"
#include "world/TGame.h"
#include "world/TRocket.h"
#include "world/TShip.h"

#include <algorithm>

namespace {
constexpr int RespawnHold = 3000;
constexpr int ReEntryDelay = 3000;
constexpr int GoodJobTime = 2000;

int64_t WaveElapsed() {
    return SinceTick(Game.WaveStamp);
}
} // namespace

void TCampaignProgress::StartCampaignWave() {
    const TWave& Wave = Game.Campaign.Waves[Game.Wave];
    Game.WaveKills = 0;
    for (TRespawnPoint& Point : Game.RespawnPoints)
        Point.Busy = false;
    CreateWaveRockets(Wave.RocketCount, Wave.TypeA, Wave.TypeB, Wave.TypeBCount);
}

void TCampaignProgress::CreateWaveRockets(int Count, int TypeA, int TypeB, int TypeBCount) {
    Game.Rockets.clear();
    Game.Rockets.reserve(std::max(Count, 0));
    for (int I = 0; I < Count; ++I) {
        auto Rocket = std::make_unique<TRocket>(*Engine);
        Rocket->Park(I, I < Count - TypeBCount ? TypeA : TypeB);
        Game.Rockets.push_back(std::move(Rocket));
    }
}

bool TCampaignProgress::AllRocketsGone() {
    for (const auto& Rocket : Game.Rockets)
        if (!Rocket->Gone)
            return false;
    return true;
}

// Fighting with rockets coming back, then the last ones destroyed, then the pause before the next wave.
void TCampaignProgress::ProgressWave(bool TargetReached) {
    switch (Game.WaveState) {
    case 0:
        ReEntryStep();
        if (TargetReached)
            Game.WaveState = 1;
        break;
    case 1:
        if (AllRocketsGone()) {
            Game.WaveStamp = Now();
            Game.WaveState = 2;
        }
        break;
    case 2:
        if (WaveElapsed() > Game.Campaign.Waves[Game.Wave].Pause) {
            ++Game.Wave;
            Game.WaveState = 0;
            // A mission whose waves run out without an end wave is won like one that has it.
            if (Game.Wave < static_cast<int>(Game.Campaign.Waves.size()))
                StartCampaignWave();
        }
        break;
    default:
        break;
    }
}

void TCampaignProgress::ProgressCampaignLevel() {
    const bool PastLastWave = Game.Wave >= static_cast<int>(Game.Campaign.Waves.size());
    const int Kind = PastLastWave ? static_cast<int>(wkEndOfMission) : Game.Campaign.Waves[Game.Wave].Kind;
    if (Kind == wkTimed) {
        ProgressWave(Game.WaveState == 0 && WaveElapsed() > Game.Campaign.Waves[Game.Wave].Goal);
    } else if (Kind == wkKillTarget) {
        ProgressWave(Game.WaveState == 0 && Game.WaveKills >= Game.Campaign.Waves[Game.Wave].Goal);
    } else if (Kind == wkEndOfMission) {
        if (Game.WaveState == 0) {
            Game.WaveStamp = Now();
            Game.WaveState = 1;
        } else if (Game.WaveState == 1) {
            Engine->DrawText(GameText.goodjob, 512, 384, 1, 1, 0xFF32FBFFu, 3);
            if (WaveElapsed() > GoodJobTime)
                Game.WaveState = 2;
        } else if (Game.WaveState == 2) {
            EndMission();
        }
    }
}

void TCampaignProgress::EndMission() {
    Profile.Mines = Game.Ship->MinesLeft;
    for (int Weapon = TShip::wpEmp; Weapon <= TShip::wpHyperShield; ++Weapon)
        Profile.Charged[Weapon - 1] = Game.Ship->Charged[Weapon] ? 1 : 0;
    if (CampaignMission >= 1 && CampaignMission <= 20)
        Profile.MissionDone[CampaignMission] = 1;
    Profile.Credits += Game.Score;
    StopSound("engine");
    Engine->CursorVisible = true;
    // The last counted mission rolls the credits; any other returns to the campaign page.
    if (TMenuDoor* Menu = MenuDoor(); Menu != nullptr && CampaignMission == CampaignMissionCount)
        Menu->ShowCredits();
    else if (Menu != nullptr)
        Menu->ShowCampaignPage();
    GameState = gsMenu;
}

void TCampaignProgress::ReEntryStep() {
    RespawnRespawnPoint();
    for (size_t I = 0; I < Game.Rockets.size(); ++I) {
        TRocket& Rocket = *Game.Rockets[I];
        if (Rocket.Gone && SinceTick(Rocket.RespawnStamp) > ReEntryDelay) {
            Rocket.RespawnStamp = Now();
            RespawnIt(static_cast<int>(I));
        }
    }
}

void TCampaignProgress::RespawnIt(int Index) {
    TRespawnPoint& Point = Game.RespawnPoints[Random.Next(14)];
    if (Point.Busy)
        return;
    // Not right on top of the ship: it must be at least 80 px past the point on one axis.
    if (!(Game.Ship->X - Point.X >= 80 || Game.Ship->Y - Point.Y >= 80))
        return;
    Point.Busy = true;
    Point.BusySince = Now();
    Game.Rockets[Index]->Respawn(Point.X, Point.Y);
}

void TCampaignProgress::RespawnRespawnPoint() {
    for (TRespawnPoint& Point : Game.RespawnPoints)
        if (Point.Busy && SinceTick(Point.BusySince) > RespawnHold)
            Point.Busy = false;
}

std::string TCampaignProgress::GetCampaignProgress() {
    int Done = 0;
    // Mission flag k + 1 belongs to mission k + 1; flags 1..19 count.
    for (int Mission = 1; Mission <= CampaignMissionCount; ++Mission)
        Done += Profile.MissionDone[Mission] == 1;
    return std::to_string(Done * 100 / CampaignMissionCount) + " %";
}
