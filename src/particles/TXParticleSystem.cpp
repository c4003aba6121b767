#include "particles/TXParticleSystem.h"

#include "particles/TParticleRandom.h"
#include "render/TVelaCanvas.h"
#include "render/TVelaDevice.h"
#include "render/TVelaImage.h"
#include "runtime/TFile.h"
#include "runtime/TLoadFailures.h"
#include "runtime/TMessageBox.h"
#include "runtime/TPath.h"
#include "runtime/TRandom.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <set>

namespace {

constexpr float HalfPi = 1.57079632f;
constexpr size_t FirstReserve = 64;

// Written so that a NaN (a zero life or middle time divides by zero) comes out as 0.
float ClampColour(float Value) {
    if (!(Value >= 0))
        return 0;
    return Value > 255 ? 255 : Value;
}

// An alpha that overshoots settles at 254, one short of opaque, as the effects were tuned with.
float ClampAlpha(float Value) {
    if (!(Value >= 0))
        return 0;
    return Value > 255 ? 254 : Value;
}

// A value between Start and the point Variation of the way towards Target.
float Varied(float Start, float Target, float Variation) {
    return TParticleRandom::Random(Start, Start + (Target - Start) * Variation);
}

// Rockets load their effects each time they are made: one message per damaged file is enough.
// While set, refusals are gathered here for one message instead of a box each.
TLoadFailures* Gathered = nullptr;

void ReportRefused(const std::string& Path, const std::string& Why) {
    static std::set<std::string> Reported;
    if (!Reported.insert(Path).second)
        return;
    if (Gathered != nullptr)
        Gathered->Add(Path + " (" + Why + ")");
    else
        TMessageBox::Show("Zerathon",
                          "The effect file " + Path + " is damaged (" + Why +
                              "); the game goes on without that effect.",
                          true);
}

// The most particles a block keeps alive at once: what it emits over one life, or over its whole burst
// when that is shorter, with an update's worth to spare.
size_t MostAlive(const TParticleParams& B) {
    const double Span = B.Duration > -1 ? std::min(B.Duration, B.LifeMax) : B.LifeMax;
    const double Most = std::max(B.EmissionRate, 0) * (std::max(Span, 0.0) + 100) / 1000 + 2;
    return static_cast<size_t>(std::min(Most, static_cast<double>(TXParticleSystem::MaxParticles)));
}

uint32_t PackColour(const TParticle& P) {
    return static_cast<uint32_t>(P.Red) | static_cast<uint32_t>(P.Green) << 8 |
           static_cast<uint32_t>(P.Blue) << 16 | static_cast<uint32_t>(P.Alpha) << 24;
}

} // namespace

void TXParticleSystem::GatherReports() {
    static TLoadFailures Failures;
    Failures = TLoadFailures();
    Gathered = &Failures;
}

void TXParticleSystem::ShowGatheredReports() {
    if (Gathered == nullptr)
        return;
    const TLoadFailures& Failures = *Gathered;
    Gathered = nullptr;
    if (Failures.Count() > 0)
        TMessageBox::Show("Zerathon",
                          "These effect files are damaged; the game goes on without their effects:\n" +
                              Failures.Text("\n"),
                          true);
}

TXParticleSystem::TXParticleSystem() {
    SpawnOffsets.push_back({0, 0});
}

bool TXParticleSystem::LoadFromFile(const std::string& FileName) {
    const std::string Path = TPath::Resolve(FileName);
    std::vector<uint8_t> Data;
    if (!TFile::Exists(Path) || !TFile::ReadAll(Path, Data, TFile::SmallLimit) || Data.empty())
        return false;
    // A short file overwrites only the bytes it has.
    std::array<uint8_t, TParticleParams::Size> Block = FParams.Write();
    std::memcpy(Block.data(), Data.data(), std::min(Data.size(), Block.size()));
    TParticleParams Loaded;
    TParticleParams::Read(Block.data(), Block.size(), Loaded);
    std::string Why;
    if (!Loaded.Playable(Why)) {
        ReportRefused(Path, Why);
        // Dark rather than endless: the game goes on without this effect.
        FParams = TParticleParams();
        return false;
    }
    SetParams(Loaded);
    return true;
}

void TXParticleSystem::SetParams(const TParticleParams& Block) {
    FParams = Block;
    // Room for all at once, so a running effect never has to grow its storage in play.
    Particles.reserve(MostAlive(FParams));
}

int TXParticleSystem::AddSpawnOffset(SDL_Point Offset) {
    SpawnOffsets.push_back(Offset);
    return static_cast<int>(SpawnOffsets.size()) - 1;
}

void TXParticleSystem::ClearSpawnOffsets() {
    SpawnOffsets.clear();
}

void TXParticleSystem::Reset() {
    static_cast<TXObject&>(*this) = TXObject();
    Image = nullptr;
    Particles.clear();
    FParams = TParticleParams();
    SpawnOffsets.assign(1, {0, 0});
    FTime = Stopped;
    Remainder = 0;
    PreviousX = PreviousY = 0;
    DrawOffsetX = DrawOffsetY = 0;
}

void TXParticleSystem::Fire(float X, float Y) {
    Stop(false);
    MoveTo(false, X, Y);
    if (SpawnOffsets.empty())
        return;
    FTime = FParams.Duration <= -1 ? Endless : 0;
}

void TXParticleSystem::Stop(bool Clear) {
    FTime = Stopped;
    if (Clear)
        Particles.clear();
}

void TXParticleSystem::MoveTo(bool Drag, float X, float Y) {
    if (Drag) {
        const float DX = X - this->X;
        const float DY = Y - this->Y;
        for (TParticle& P : Particles) {
            P.X += DX;
            P.Y += DY;
        }
        PreviousX += DX;
        PreviousY += DY;
    } else if (!Running()) {
        // A stopped emitter jumps; a running one keeps its old position as the start of the way.
        PreviousX = X;
        PreviousY = Y;
    }
    this->X = X;
    this->Y = Y;
}

void TXParticleSystem::SetDrawOffset(float X, float Y) {
    DrawOffsetX = X;
    DrawOffsetY = Y;
}

void TXParticleSystem::Spawn() {
    if (Count() >= MaxParticles || SpawnOffsets.empty())
        return;
    if (Particles.size() == Particles.capacity())
        Particles.reserve(std::min<size_t>(std::max(FirstReserve, 2 * Particles.capacity()), MaxParticles));
    const TParticleParams& B = FParams;
    TParticle P{};

    P.Age = 0;
    P.Life = TParticleRandom::Random(static_cast<float>(B.LifeMin), static_cast<float>(B.LifeMax));
    P.MiddleTime = P.Life * B.MiddlePoint;

    // Somewhere on the way the emitter made since the last update, so a fast emitter leaves a trail
    // rather than clumps.
    const float Along = TParticleRandom::Random(1, 0);
    P.X = PreviousX + (X - PreviousX) * Along;
    P.Y = PreviousY + (Y - PreviousY) * Along;
    const SDL_Point Offset = SpawnOffsets[Random.Next(static_cast<int>(SpawnOffsets.size()))];
    P.X += Offset.x + TParticleRandom::Random(1, -1);
    P.Y += Offset.y + TParticleRandom::Random(1, -1);

    P.OriginX = X - P.X;
    P.OriginY = Y - P.Y;

    float Direction = TParticleRandom::Random(B.Spread, 0) + B.Direction + Angle - HalfPi - B.Spread / 2;
    if (B.RelativeToMotion != 0)
        Direction += std::atan2(PreviousY - Y, PreviousX - X) + HalfPi;
    const float Speed = TParticleRandom::Random(B.SpeedMin, B.SpeedMax);
    P.VelocityX = std::cos(Direction) * Speed;
    P.VelocityY = std::sin(Direction) * Speed;

    P.Gravity = TParticleRandom::Random(B.GravityMin, B.GravityMax);
    P.Radial = TParticleRandom::Random(B.RadialMin, B.RadialMax);
    P.Tangential = TParticleRandom::Random(B.TangentialMin, B.TangentialMax);

    P.Scale = Varied(B.ScaleStart, B.ScaleEnd, B.ScaleVariation);
    P.ScaleSpeed = (B.ScaleEnd - P.Scale) / P.Life;
    P.Angle = Varied(B.AngleStart, B.AngleEnd, B.AngleVariation);
    P.AngleSpeed = (B.AngleEnd - P.Angle) / P.Life;

    P.Pattern = static_cast<float>(B.FirstPattern);
    P.PatternSpeed = B.LastPattern >= 0 && B.LastPattern != B.FirstPattern
                         ? static_cast<float>(B.LastPattern - B.FirstPattern) / P.Life
                         : 0;

    P.Red = ClampColour(Varied(B.Colour1.R, B.Colour2.R, B.ColourVariation));
    P.Green = ClampColour(Varied(B.Colour1.G, B.Colour2.G, B.ColourVariation));
    P.Blue = ClampColour(Varied(B.Colour1.B, B.Colour2.B, B.ColourVariation));
    P.Alpha = ClampAlpha(Varied(B.Colour1.A, B.Colour2.A, B.AlphaVariation));
    P.RedSpeed = (B.Colour2.R - P.Red) / P.MiddleTime;
    P.GreenSpeed = (B.Colour2.G - P.Green) / P.MiddleTime;
    P.BlueSpeed = (B.Colour2.B - P.Blue) / P.MiddleTime;
    P.AlphaSpeed = (B.Colour2.A - P.Alpha) / P.MiddleTime;

    Particles.push_back(P);
}

void TXParticleSystem::Update(float Dt) {
    const float Seconds = Dt / 1000;

    if (FTime >= 0) {
        FTime += Dt;
        if (FTime >= FParams.Duration)
            FTime = Stopped;
    }

    const TParticleParams::TColour& Last = FParams.Colour3;
    size_t I = 0;
    while (I < Particles.size()) {
        TParticle& P = Particles[I];
        const bool Crossing = P.Age <= P.MiddleTime && P.Age + Dt >= P.MiddleTime;
        P.Age += Dt;
        if (P.Age >= P.Life) {
            // The last particle fills the hole and is looked at next.
            P = Particles.back();
            Particles.pop_back();
            continue;
        }

        const float CentreX = X + P.OriginX;
        const float CentreY = Y + P.OriginY;
        const float AwayX = P.X - CentreX;
        const float AwayY = P.Y - CentreY;
        const float Distance = std::sqrt(AwayX * AwayX + AwayY * AwayY);
        // On the centre itself there is no direction to push along.
        if (Distance > 0) {
            const float NX = AwayX / Distance;
            const float NY = AwayY / Distance;
            P.VelocityX += (NX * P.Radial - NY * P.Tangential) * Dt;
            P.VelocityY += (NY * P.Radial + NX * P.Tangential) * Dt;
        }
        P.VelocityY += P.Gravity * Seconds;
        P.X += P.VelocityX * Seconds;
        P.Y += P.VelocityY * Seconds;
        P.Angle += P.AngleSpeed * Dt;
        P.Scale += P.ScaleSpeed * Dt;
        P.Pattern += P.PatternSpeed * Dt;

        if (Crossing) {
            const float Rest = P.Life - P.MiddleTime;
            P.RedSpeed = (Last.R - P.Red) / Rest;
            P.GreenSpeed = (Last.G - P.Green) / Rest;
            P.BlueSpeed = (Last.B - P.Blue) / Rest;
            P.AlphaSpeed = (Last.A - P.Alpha) / Rest;
        }
        P.Red = ClampColour(P.Red + P.RedSpeed * Dt);
        P.Green = ClampColour(P.Green + P.GreenSpeed * Dt);
        P.Blue = ClampColour(P.Blue + P.BlueSpeed * Dt);
        P.Alpha = ClampAlpha(P.Alpha + P.AlphaSpeed * Dt);
        ++I;
    }

    if (FTime > Stopped) {
        const float Due = FParams.EmissionRate * Seconds + Remainder;
        const float Whole = std::trunc(Due);
        // Past the capacity the rest of this update's particles are simply dropped.
        for (float N = 0; N < Whole && Count() < MaxParticles; ++N)
            Spawn();
        Remainder = Due - Whole;
    }

    PreviousX = X;
    PreviousY = Y;
}

void TXParticleSystem::Draw(TVelaCanvas& Canvas) const {
    if (Image == nullptr)
        return;
    const SDL_Point Cell = Image->PatternSize();
    const int HalfWidth = Cell.x / 2;
    const int HalfHeight = Cell.y / 2;
    const TVelaDevice& Device = Canvas.GetDevice();
    const float Right = static_cast<float>(Device.Width());
    const float Bottom = static_cast<float>(Device.Height());
    // From the last slot to the first, so the first slots end up on top.
    for (size_t I = Particles.size(); I-- > 0;) {
        const TParticle& P = Particles[I];
        const float ScreenX = P.X + DrawOffsetX;
        const float ScreenY = P.Y + DrawOffsetY;
        if (ScreenX + HalfWidth < 0 || ScreenY + HalfHeight < 0 || ScreenX - HalfWidth > Right ||
            ScreenY - HalfHeight > Bottom)
            continue;
        Canvas.DrawRotated(Image, ScreenX, ScreenY, P.Angle, P.Scale, PackColour(P),
                           static_cast<int>(P.Pattern), FParams.Effect);
    }
}
