#include "app/TStateHash.h"

#include "app/Globals.h"
#include "engine/TEngine.h"
#include "menu/TGameMenu.h"
#include "particles/TExplosion.h"
#include "world/TAsteroid.h"
#include "world/TCrate.h"
#include "world/TRocket.h"
#include "world/TShip.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>

namespace {

void AddShip(TStateHash& Hash, const TShip& Ship) {
    for (double Value : {Ship.X, Ship.Y, Ship.Speed, Ship.Boost, Ship.LongBombX, Ship.LongBombY})
        Hash.Add(Value);
    for (int Value :
         {Ship.Angle, Ship.Energy, Ship.Tilt, Ship.MinesLeft, Ship.SniperAmmo, Ship.ShieldCountdown,
          Ship.SteerMode, Ship.EmpPhase, Ship.PhazerPhase, Ship.HyperShieldPhase})
        Hash.Add(Value);
    for (bool Value : {Ship.Destroyed, Ship.WeaponBusy, Ship.SniperReloading, Ship.EmpActive,
                       Ship.PhazerActive, Ship.LongBombActive, Ship.HyperShieldActive, Ship.SniperActive,
                       Ship.ShieldUp, Ship.ThrustForward, Ship.ThrustReverse, Ship.Boosting})
        Hash.Add(Value);
    Hash.Add(Ship.SelectedWeapon);
    for (uint32_t Stamp : {Ship.LastMotion, Ship.FireTime, Ship.SniperClearTime})
        Hash.Add(Stamp);
    for (size_t Weapon = 1; Weapon < Ship.Charged.size(); ++Weapon) {
        Hash.Add(Ship.Charged[Weapon]);
        Hash.Add(Ship.Owned[Weapon]);
    }
    for (const TMine& Mine : Ship.Mines) {
        Hash.Add(Mine.Active);
        Hash.Add(Mine.X);
        Hash.Add(Mine.Y);
    }
    for (const TBullet& Bullet : Ship.Bullets) {
        Hash.Add(Bullet.Active);
        Hash.Add(Bullet.X);
        Hash.Add(Bullet.Y);
        Hash.Add(Bullet.Angle);
    }
}

void AddRocket(TStateHash& Hash, const TRocket& Rocket) {
    for (int Value : {Rocket.Index, Rocket.Kind, Rocket.Angle, Rocket.TargetAngle,
                      Rocket.FlameEmitter.Count(), Rocket.ExplosionEmitter.Count()})
        Hash.Add(Value);
    Hash.Add(Rocket.X);
    Hash.Add(Rocket.Y);
    Hash.Add(Rocket.Destroyed);
    Hash.Add(Rocket.Gone);
    Hash.Add(Rocket.RespawnStamp);
    Hash.Add(Rocket.LastMotion);
}

void AddAsteroid(TStateHash& Hash, const TAsteroid& Asteroid) {
    Hash.Add(Asteroid.Active);
    Hash.Add(Asteroid.State);
    Hash.Add(Asteroid.Destroyed);
    Hash.Add(Asteroid.X);
    Hash.Add(Asteroid.Y);
    Hash.Add(Asteroid.Angle);
    Hash.Add(Asteroid.RespawnTime);
    Hash.Add(Asteroid.Emitter.Count());
    for (const TAsteroidFragment& Fragment : Asteroid.Fragments) {
        Hash.Add(Fragment.Destroyed);
        Hash.Add(Fragment.X);
        Hash.Add(Fragment.Y);
        Hash.Add(Fragment.Angle);
        Hash.Add(Fragment.Emitter.Count());
    }
}

void AddCrate(TStateHash& Hash, const TCrate& Crate) {
    for (int Value : {Crate.State, Crate.X, Crate.Y, Crate.Alpha, Crate.WaitDelay})
        Hash.Add(Value);
    Hash.Add(Crate.Exploded);
    Hash.Add(Crate.StateTime);
}

// How many particles each of the game's named effects and each mine blast has alive.
void AddParticles(TStateHash& Hash, const TExplosion& Effects) {
    for (const TXParticleSystem* System :
         {&Effects.Phazer, &Effects.EmpIcon, &Effects.ShieldIcon, &Effects.PhazerIcon, &Effects.Shield1A,
          &Effects.Shield1B, &Effects.Shield2A, &Effects.Shield2B, &Effects.EngineA, &Effects.EngineB,
          &Effects.BoostA, &Effects.BoostB, &Effects.Shield, &Effects.LongBomb, &Effects.Emp,
          &Effects.ShipExplode, &Effects.Explode1})
        Hash.Add(System->Count());
    Hash.Add(Effects.MineEffects.Count());
    for (int Index = 0; Index < Effects.MineEffects.Count(); ++Index)
        if (const TXParticleSystem* Blast = Effects.MineEffects.System(Index))
            Hash.Add(Blast->Count());
}

void AddMission(TStateHash& Hash) {
    Hash.Add(Game.Mode);
    for (bool Value : {Game.Paused, Game.HelpShown, Game.Blink})
        Hash.Add(Value);
    for (int Value : {Game.Phase, Game.CaptionAlpha, Game.Wave, Game.WaveState, Game.TotalKills,
                      Game.WaveKills, Game.SurvivalTime, Game.PauseLength, Game.EndlessWaveCounter,
                      Game.EndlessTypeA, Game.EndlessTypeB, Game.EndlessTypeBCount, Game.Score})
        Hash.Add(Value);
    for (uint32_t Stamp : {Game.PhaseStamp, Game.WaveStamp, Game.EndlessTimeBase, Game.PauseStart})
        Hash.Add(Stamp);
    for (const TRespawnPoint& Point : Game.RespawnPoints) {
        Hash.Add(Point.Busy);
        Hash.Add(Point.BusySince);
    }
}

} // namespace

uint64_t TStateHash::BitsOf(double Value) {
    uint64_t Bits = 0;
    std::memcpy(&Bits, &Value, sizeof Value);
    return Bits;
}

uint64_t TStateHash::BitsOf(float Value) {
    uint32_t Bits = 0;
    std::memcpy(&Bits, &Value, sizeof Value);
    return Bits;
}

void TStateHash::AddBits(uint64_t Bits) {
    for (int Byte = 0; Byte < 8; ++Byte) {
        Hash ^= (Bits >> (8 * Byte)) & 0xFF;
        Hash *= Prime;
    }
}

void TStateHash::Add(const std::string& Text) {
    Add(Text.size());
    for (const char C : Text)
        Add(static_cast<unsigned char>(C));
}

uint64_t TStateHash::OfGame() {
    TStateHash Hash;
    Hash.Add(Now());
    Hash.Add(Random.SeedValue());
    Hash.Add(GameState);
    if (GameMenu) {
        Hash.Add(GameMenu->Screen);
        Hash.Add(GameMenu->SubScreen);
    }
    if (Engine) {
        Hash.Add(Engine->CursorX);
        Hash.Add(Engine->CursorY);
    }
    Hash.Add(Profile.Credits);
    for (uint8_t Done : Profile.MissionDone)
        Hash.Add(Done);
    AddMission(Hash);
    if (Game.Ship)
        AddShip(Hash, *Game.Ship);
    Hash.Add(Game.Rockets.size());
    for (const auto& Rocket : Game.Rockets)
        AddRocket(Hash, *Rocket);
    if (Game.Asteroids)
        AddAsteroid(Hash, *Game.Asteroids);
    if (Game.Crates)
        AddCrate(Hash, *Game.Crates);
    if (Explosion)
        AddParticles(Hash, *Explosion);
    return Hash.Value();
}

std::string TStateHash::Line(int Frame) {
    char Text[64];
    std::snprintf(Text, sizeof Text, "frame %d hash %016" PRIx64, Frame, OfGame());
    return Text;
}
