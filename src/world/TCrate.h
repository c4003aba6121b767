#pragma once

#include <array>
#include <cstdint>
#include <string>

class TEngine;
class TMessage;
class TShip;

// The mission's supply crates, one at a time: a crate appears at a random place, fades in, counts down
// and blows up unless the ship flies over it first, which gives one of ten random rewards.
class TCrate {
  public:
    enum TState : int { csWaiting = 0, csFadingIn, csCountingDown, csExploding, csCollected };

    TCrate(int Lifetime, int IntervalMin, int IntervalMax, int Font, TEngine& Engine);

    // Once per unpaused frame of play.
    void Run(TShip& Ship, TMessage& Messages, int& Score);
    // The ship's probes reach the crate (the tail alone does not).
    bool PickedUp(const TShip& Ship) const;
    // Reward K (0..9) of the table, into the ship, the score and the messages.
    void GiveContents(int K, TShip& Ship, TMessage& Messages, int& Score);
    // Draws, off the screen, every text a pickup can show in every size the main message grows through
    // and in the notice, so that pickups in play find them rendered. As a mission loads; from the second
    // on, the texts are found already kept.
    void WarmMessages(const TMessage& Messages);
    // The whole seconds the countdown shows.
    int SecondsLeft() const;
    // Yellow while more than 5 seconds are left, then red, both at alpha 150.
    static uint32_t CountdownColour(int SecondsLeft);

    int Font;
    uint32_t AnimationTime;
    int Frame = 0;
    bool Exploded = false;
    TEngine& Engine;
    int WaitDelay;
    int CrateLifetime;
    uint32_t SoundTime = 0;
    uint32_t StateTime;
    int X = 0;
    int Y = 0;
    int CrateIntervalMin;
    int CrateIntervalMax;
    int State = csWaiting;
    int Alpha = 0;

  private:
    void Animate();
    void Wait();
    void FadeIn(TShip& Ship, TMessage& Messages, int& Score);
    void CountDown(TShip& Ship, TMessage& Messages, int& Score);
    void Explode();
    // True when collected: the crate goes to state 4 and its reward is given.
    bool TryPickUp(TShip& Ship, TMessage& Messages, int& Score);
    void StartNextWait();
    void Draw();
    // Charges the first weapon of Order the ship owns and has not charged; false when there is none.
    bool ChargeFirst(const std::array<int, 4>& Order, TShip& Ship, TMessage& Messages);
    // The reward as the main message and the notice's first line.
    void Show(TMessage& Messages, const std::string& Text);
    // Two rewards: the notice has a line for each, the main message both.
    void ShowPair(TMessage& Messages, const std::string& Line1, const std::string& Line2);
    void AddEnergy(TShip& Ship, int Amount);

    // A pickup's texts are put together in these, so once grown they need no new memory.
    std::string Text1;
    std::string Text2;
    std::string MainText;
};
