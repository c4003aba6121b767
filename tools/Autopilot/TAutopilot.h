#pragma once

#include "TPilotSkill.h"
#include "TSightDelay.h"

#include <cstdint>
#include <random>
#include <vector>

class TKeyPad;
class TShip;

// Flies the ship through one frame of play with the keys a player would press: keeps moving in wide
// circles so the homing rockets chase each other, slowing to just ahead of them when the wave needs
// kills so they bunch up and collide; keeps out of the asteroid's and its fragments' way, shoots the
// rockets ahead with the sniper gun, lays mines for the rockets close behind, fetches crates, fires the
// bought weapons when they pay and boosts away when a hit would hurt. How well it does so is its skill.
class TAutopilot {
  public:
    explicit TAutopilot(TKeyPad& Keys) : Keys(Keys) {}

    void SetSkill(const TPilotSkill& NewSkill) { Skill = NewSkill; }
    // A new mission starts, flown with Seed: a beginner's aim errors follow from it.
    void Reset(uint32_t Seed);
    // One frame of play; nothing once the ship is destroyed.
    void Fly();

  private:
    // A rocket in play as the pilot sees it: how far, and how far off the ship's heading (-180..180,
    // positive to the right).
    struct TContact {
        TSightDelay::TSighting Rocket;
        double Distance;
        double Bearing;
    };

    std::vector<TContact> Contacts(const TShip& Ship);
    int NextAimError();
    static int CountWithin(const std::vector<TContact>& Near, double Distance);

    double ChooseHeading(const TShip& Ship, const std::vector<TContact>& Near) const;
    bool CrateHeading(const TShip& Ship, double& Heading) const;
    static double OrbitHeading(const TShip& Ship);
    static const TContact* SniperTarget(const std::vector<TContact>& Near);
    // The nearest rocket within the distance that is not behind the ship.
    static const TContact* Oncoming(const std::vector<TContact>& Near, double Within);

    void Steer(const TShip& Ship, double Heading);
    void KeepSpeed(const TShip& Ship, const std::vector<TContact>& Near);
    void BoostAway(const TShip& Ship, const std::vector<TContact>& Near);
    void PlantMines(const TShip& Ship, const std::vector<TContact>& Near);

    // The weapon worth firing now (0: none) and how many frames to hold the fire key (the long bomb
    // flies while it is held).
    int ChooseWeapon(const TShip& Ship, const std::vector<TContact>& Near, int& HoldFrames) const;
    static bool SniperReady(const TShip& Ship);
    void UseWeapons(const TShip& Ship, const std::vector<TContact>& Near);

    static int Key(int Control);

    TKeyPad& Keys;
    TPilotSkill Skill;
    TSightDelay Sight;
    std::minstd_rand Aim;
    // The ship's heading in the picture the pilot acts on.
    int Facing = 0;
    // Where the next sniper shot goes off the rocket, in degrees.
    int AimError = 0;
    uint32_t LastMine = 0;
    uint32_t LastBoost = 0;
    int FireHold = 0;
};
