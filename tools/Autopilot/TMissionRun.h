#pragma once

#include "TAutopilot.h"
#include "TBriefingClock.h"
#include "TKeyPad.h"
#include "TMissionResult.h"

#include "app/TCommandLine.h"

#include <memory>
#include <string>

class TmainFrm;

// One mission flown in a game of its own, from the loading screen to the return to the menu: the
// briefing read at a reader's pace, the start caption watched, the mission played by the autopilot, and
// a destroyed ship's exit dialog confirmed. A game started afresh for every flight: the particles'
// generator is never reseeded and effects outlive a mission, so in one long game a flight would go
// differently after another.
class TMissionRun {
  public:
    // Options: how the game starts (data folder, headless, frame step); its seed is each flight's own and
    // its recording, if any, the first flight's. Play longer than MaxPlayMs counts as lost.
    explicit TMissionRun(const TCommandLine& Options, int MaxPlayMs = 15 * 60 * 1000);
    ~TMissionRun();

    // Name: "level01" .. "level19" or "ttd", flown in a new game seeded with Seed from Player. The game
    // stays until the next flight, for the shop.
    TMissionResult Play(const std::string& Name, uint32_t Seed, const TProfile& Player);
    // Every flight from now on.
    void SetPilot(const TPilotSkill& Skill) { Pilot.SetSkill(Skill); }

  private:
    // A new game seeded with Seed, before its intro; false when it did not start.
    bool StartGame(uint32_t Seed);
    static int MissionNumber(const std::string& Name);
    void Load(const std::string& Name);
    void ReadBriefing();
    void Fly(TMissionResult& Result);
    static void ConfirmExit();
    void NextFrame();
    static int BriefingWords();

    TCommandLine Options;
    const int MaxPlayMs;
    std::unique_ptr<TmainFrm> Frame;
    TKeyPad Keys;
    TAutopilot Pilot{Keys};
    TBriefingClock Reader;
    bool Reading = false;
    bool Playing = false;
    uint32_t PlayStart = 0;
    int WreckFrames = 0;
};
