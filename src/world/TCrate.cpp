#include "world/TCrate.h"

#include "engine/TEngine.h"
#include "engine/TSoundEngine.h"
#include "particles/TExplosion.h"
#include "particles/TMessage.h"
#include "runtime/TClock.h"
#include "runtime/TRandom.h"
#include "text/TText.h"
#include "world/TCollisions.h"
#include "world/TShip.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr uint32_t Yellow = 0x9632FBFFu;
constexpr uint32_t Red = 0x960000FFu;

// A random whole number from Low to High - 1; Low when the range is empty.
int RandomBetween(int Low, int High) {
    return Low + Random.Next(High - Low);
}

} // namespace

TCrate::TCrate(int Lifetime, int IntervalMin, int IntervalMax, int Font, TEngine& Engine)
    : Font(Font), AnimationTime(Now()), Engine(Engine), WaitDelay(IntervalMin), CrateLifetime(Lifetime),
      StateTime(Now()), CrateIntervalMin(IntervalMin), CrateIntervalMax(IntervalMax) {}

void TCrate::Run(TShip& Ship, TMessage& Messages, int& Score) {
    Animate();
    switch (State) {
    case csWaiting:
        Wait();
        break;
    case csFadingIn:
        FadeIn(Ship, Messages, Score);
        break;
    case csCountingDown:
        CountDown(Ship, Messages, Score);
        break;
    case csExploding:
        Explode();
        break;
    case csCollected:
        StartNextWait();
        break;
    default:
        break;
    }
}

void TCrate::Animate() {
    if (SinceTick(AnimationTime) < 36)
        return;
    Frame = Frame >= 8 ? 0 : Frame + 1;
    AnimationTime = Now();
}

void TCrate::Wait() {
    Exploded = false;
    if (SinceTick(StateTime) <= WaitDelay)
        return;
    State = csFadingIn;
    Alpha = 0;
    StateTime = Now();
    X = 150 + Random.Next(724);
    Y = 150 + Random.Next(468);
}

void TCrate::FadeIn(TShip& Ship, TMessage& Messages, int& Score) {
    // A crate collected in this frame stays collected: it does not go on to count down.
    if (!TryPickUp(Ship, Messages, Score)) {
        if (Alpha >= 254) {
            State = csCountingDown;
            StateTime = SoundTime = Now();
            PlaySound("countdown");
        } else if (SinceTick(StateTime) >= 6) {
            ++Alpha;
            StateTime = Now();
        }
    }
    Draw();
}

void TCrate::CountDown(TShip& Ship, TMessage& Messages, int& Score) {
    if (SinceTick(SoundTime) > 1000) {
        SoundTime = Now();
        PlaySound("countdown");
    }
    Draw();
    const int Seconds = SecondsLeft();
    Engine.DrawText(std::to_string(Seconds), 516, 14, 1, 0, CountdownColour(Seconds), Font);
    // Collected in this frame: it does not blow up in the same one.
    if (TryPickUp(Ship, Messages, Score))
        return;
    if (SinceTick(StateTime) > CrateLifetime) {
        State = csExploding;
        StateTime = SoundTime = Now();
        PlaySound("explode2");
    }
}

int TCrate::SecondsLeft() const {
    return CrateLifetime / 1000 - static_cast<int>(SinceTick(StateTime) / 1000);
}

uint32_t TCrate::CountdownColour(int SecondsLeft) {
    return SecondsLeft > 5 ? Yellow : Red;
}

void TCrate::Explode() {
    if (!Exploded) {
        if (Explosion != nullptr)
            Explosion->Explode1.Fire(static_cast<float>(X), static_cast<float>(Y));
        Exploded = true;
    }
    StartNextWait();
}

void TCrate::StartNextWait() {
    State = csWaiting;
    WaitDelay = RandomBetween(CrateIntervalMin, CrateIntervalMax);
}

void TCrate::Draw() {
    Engine.DrawTexturePattern(Engine.GetTexture("crate"), X, Y, 1, 1, Alpha, Frame);
}

bool TCrate::PickedUp(const TShip& Ship) const {
    const auto DistanceTo = [this, &Ship](int Probe) {
        const int Dx = Ship.HitPoints[Probe][0] - X;
        const int Dy = Ship.HitPoints[Probe][1] - Y;
        return std::sqrt(static_cast<double>(Dx * Dx + Dy * Dy));
    };
    if (DistanceTo(TCollisions::TailProbe) <= 36)
        return false;
    for (int Probe = 0; Probe < TCollisions::TailProbe; ++Probe)
        if (DistanceTo(Probe) <= (Probe < TCollisions::FrontProbes ? 49 : 63))
            return true;
    return false;
}

bool TCrate::TryPickUp(TShip& Ship, TMessage& Messages, int& Score) {
    if (!PickedUp(Ship))
        return false;
    State = csCollected;
    StateTime = SoundTime = Now();
    PlaySound("crate");
    GiveContents(Random.Next(10), Ship, Messages, Score);
    return true;
}

namespace {

// Into becomes the pieces one after another, in the memory it already has.
template <typename... TPieces> const std::string& Compose(std::string& Into, const TPieces&... Pieces) {
    Into.clear();
    (Into.append(Pieces), ...);
    return Into;
}

} // namespace

void TCrate::WarmMessages(const TMessage& Messages) {
    // Numbers are drawn from their digits, so one of each is enough.
    const std::string& Health = GameText.gi_health;
    const std::string& Points = GameText.gi_points;
    const std::string Texts[] = {Health + " +0123456789, " + Points + " +0",
                                 Health + " +0",
                                 Points + " +0",
                                 " +" + GameText.wpnEMP,
                                 " +" + GameText.wpnPhazer,
                                 " +" + GameText.wpnLongBomb,
                                 " +" + GameText.wpnHyperShield,
                                 GameText.wpnSniper + " +3",
                                 GameText.wpnMine + " +1",
                                 " "};
    constexpr double Away = -4096;
    for (const std::string& Text : Texts) {
        // Opaque while it grows, translucent as it fades: a tint of each kind.
        for (int Step = 0; Step <= TRocketMessage::LargestStep; ++Step)
            for (uint32_t Alpha : {0xFFu, 0x80u})
                Engine.DrawText(Text, Away, Away, 0, 0, Alpha << 24 | TMessage::MainColour,
                                TMessage::FirstSizeFont + Step);
        Engine.DrawText(Text, Away, Away, 0, 0, TMessage::NoticeColour, Messages.NoticeFont);
    }
}

void TCrate::Show(TMessage& Messages, const std::string& Text) {
    Messages.ShowMessage(Text, X, Y);
    Messages.RequestNotice(Text, " ");
}

void TCrate::ShowPair(TMessage& Messages, const std::string& Line1, const std::string& Line2) {
    Messages.ShowMessage(Compose(MainText, Line1, ", ", Line2), X, Y);
    Messages.RequestNotice(Line1, Line2);
}

void TCrate::AddEnergy(TShip& Ship, int Amount) {
    Ship.Energy = std::min(Ship.Energy + Amount, 100);
}

bool TCrate::ChargeFirst(const std::array<int, 4>& Order, TShip& Ship, TMessage& Messages) {
    for (int Weapon : Order) {
        if (!Ship.Owned[Weapon] || Ship.Charged[Weapon])
            continue;
        Ship.Charged[Weapon] = true;
        Ship.NextWeapon();
        const std::string* Names[5] = {nullptr, &GameText.wpnEMP, &GameText.wpnPhazer, &GameText.wpnLongBomb,
                                       &GameText.wpnHyperShield};
        Show(Messages, Compose(Text1, " +", *Names[Weapon]));
        return true;
    }
    return false;
}

void TCrate::GiveContents(int K, TShip& Ship, TMessage& Messages, int& Score) {
    using W = TShip::TWeapon;
    // Weapon rewards, each with what it gives instead when no weapon of its list can take a charge.
    struct TChargeReward {
        std::array<int, 4> Order;
        int Points;
        int Energy;
    };
    const auto Charge = [&](const TChargeReward& Reward) {
        if (ChargeFirst(Reward.Order, Ship, Messages))
            return;
        Score += Reward.Points;
        AddEnergy(Ship, Reward.Energy);
        ShowPair(Messages, Compose(Text1, GameText.gi_health, " +", std::to_string(Reward.Energy)),
                 Compose(Text2, GameText.gi_points, " +", std::to_string(Reward.Points)));
    };
    const auto AddPoints = [&](int Points) {
        Score += Points;
        Show(Messages, Compose(Text1, GameText.gi_points, " +", std::to_string(Points)));
    };
    switch (K) {
    case 0:
        Charge({{W::wpPhazer, W::wpLongBomb, W::wpHyperShield, W::wpEmp}, 200, 20});
        break;
    case 1:
        Charge({{W::wpPhazer, W::wpLongBomb, W::wpEmp, W::wpHyperShield}, 300, 20});
        break;
    case 2:
    case 7:
        AddEnergy(Ship, 30);
        Show(Messages, Compose(Text1, GameText.gi_health, " +30"));
        break;
    case 3:
        Ship.Charged[W::wpSniper] = true;
        Ship.SniperAmmo += 3;
        Ship.NextWeapon();
        Show(Messages, Compose(Text1, GameText.wpnSniper, " +3"));
        break;
    case 4:
        AddPoints(30 * (1 + Random.Next(10)));
        break;
    case 5:
        Charge({{W::wpEmp, W::wpLongBomb, W::wpHyperShield, W::wpPhazer}, 150, 10});
        break;
    case 6:
        ++Ship.MinesLeft;
        if (static_cast<int>(Ship.Mines.size()) < Ship.MinesLeft)
            Ship.Mines.resize(Ship.MinesLeft);
        Show(Messages, Compose(Text1, GameText.wpnMine, " +1"));
        break;
    case 8:
        Charge({{W::wpPhazer, W::wpEmp, W::wpHyperShield, W::wpLongBomb}, 250, 15});
        break;
    case 9:
        AddPoints(40 * (1 + Random.Next(10)));
        break;
    default:
        break;
    }
}
