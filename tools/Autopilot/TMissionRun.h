#pragma once

#include "TAutopilot.h"
#include "TBriefingClock.h"
#include "TMissionResult.h"

#include <string>

class TKeyPad;
class TmainFrm;

// One mission flown in the running game, from the loading screen to the return to the menu: the
// briefing read at a reader's pace, the start caption watched, the mission played by the autopilot, and
// a destroyed ship's exit dialog confirmed.
class TMissionRun {
  public:
    TMissionRun(TmainFrm& Frame, TKeyPad& Keys) : Frame(Frame), Keys(Keys), Pilot(Keys) {}

    // Name: "level01" .. "level19" or "ttd"; the game's random generator is seeded with Seed and the
    // mission starts from Player.
    TMissionResult Play(const std::string& Name, uint32_t Seed, const TProfile& Player);

    // Play longer than this counts as lost.
    static constexpr int MaxPlayMs = 15 * 60 * 1000;

  private:
    static int MissionNumber(const std::string& Name);
    void Load(const std::string& Name);
    void ReadBriefing();
    void Fly(TMissionResult& Result);
    static void ConfirmExit();
    void NextFrame();
    static int BriefingWords();

    TmainFrm& Frame;
    TKeyPad& Keys;
    TAutopilot Pilot;
    TBriefingClock Reader;
    bool Reading = false;
    bool Playing = false;
    uint32_t PlayStart = 0;
    int WreckFrames = 0;
};
