#pragma once

#include <string>

// The campaign's missions, level01 to level19; the last one won rolls the credits.
inline constexpr int CampaignMissionCount = 19;

// A campaign mission as it is played: each wave's rockets, their way back in through the respawn
// points, the end of each wave by time or kills, and the end of the mission with its rewards.
class TCampaignProgress {
  public:
    static void StartCampaignWave();
    // A wave's rockets, all parked: the last TypeBCount of them are of the stronger kind.
    static void CreateWaveRockets(int Count, int TypeA, int TypeB, int TypeBCount);
    static bool AllRocketsGone();
    // One frame of progress while the mission runs unpaused.
    static void ProgressCampaignLevel();
    // Rockets out of play try to come back in, each at most every 3 s.
    static void ReEntryStep();
    static void RespawnIt(int Index);
    static void RespawnRespawnPoint();
    // The share of the campaign won, as the profile screen shows it: "5 %".
    static std::string GetCampaignProgress();

  private:
    static void ProgressWave(bool TargetReached);
    static void EndMission();
};
