// The in-game effects: the engine loop, explosions, weapons, crate and menu sounds.
#include "Samples.h"
#include "Wave.h"

#include <cmath>
#include <functional>

namespace Synth {

namespace {

double TimeOf(size_t I) {
    return static_cast<double>(I) / Rate;
}

double Rms(const TBuffer& Buffer) {
    double Sum = 0;
    for (double V : Buffer)
        Sum += V * V;
    return Buffer.empty() ? 0 : std::sqrt(Sum / static_cast<double>(Buffer.size()));
}

void SetRms(TBuffer& Buffer, double Target) {
    const double R = Rms(Buffer);
    if (R > 0)
        Scale(Buffer, Target / R);
}

// A short burst of band-passed noise (a spark, a crackle, a grain of gravel) added into Into at Start.
void AddBurst(TBuffer& Into, TRandom& Random, double Start, double Length, double CentreHz, double Q,
              double Level) {
    TSvf Filter;
    const size_t Offset = static_cast<size_t>(SamplesOf(Start));
    const size_t Count = static_cast<size_t>(SamplesOf(Length * 4));
    for (size_t I = 0; I < Count && Offset + I < Into.size(); ++I) {
        const double T = TimeOf(I);
        Into[Offset + I] +=
            Filter.BandPass(Random.Signed(), CentreHz, Q) * Level * AttackDecay(T, 0.0004, Length);
    }
}

// A struck object: a few inharmonic partials, each with its own decay (modal synthesis).
struct TMode {
    double Hz, Level, Tau;
};
void AddModes(TBuffer& Into, double Start, const std::vector<TMode>& Modes, double Level) {
    const size_t Offset = static_cast<size_t>(SamplesOf(Start));
    for (const TMode& M : Modes) {
        const size_t Count = static_cast<size_t>(SamplesOf(M.Tau * 7));
        TOscillator Osc(0.25); // start at the peak of a cosine-like phase for a hard strike
        for (size_t I = 0; I < Count && Offset + I < Into.size(); ++I)
            Into[Offset + I] += Osc.Sine(M.Hz) * M.Level * Level * AttackDecay(TimeOf(I), 0.0005, M.Tau);
    }
}

// --- Engine --------------------------------------------------------------------------------------------

constexpr double EngineLoopSeconds = 1.2; // 52920 samples: 60 periods of 50 Hz, 10 of 8.33 Hz, 3 of 2.5 Hz

// Phase of a component with a whole number of cycles in the loop, computed exactly at every sample so
// the last sample flows into the first.
double LoopPhase(long Cycles, size_t I, size_t Length) {
    return TwoPi * static_cast<double>((Cycles * static_cast<long>(I)) % static_cast<long>(Length)) /
           static_cast<double>(Length);
}

// Filters a periodic signal until the filter has settled and returns one period of the periodic output:
// the filtered loop is seamless because the filter state at the end is the state at the start.
TBuffer Circular(const TBuffer& In, const std::function<double(double)>& Filter) {
    TBuffer Out(In.size());
    for (int Pass = 0; Pass < 3; ++Pass)
        for (size_t I = 0; I < In.size(); ++I)
            Out[I] = Filter(In[I]);
    return Out;
}

// --- Explosions ----------------------------------------------------------------------------------------

struct TBlast {
    uint64_t Seed;
    double Length;
    double BoomStartHz, BoomEndHz, BoomDropTau, BoomTau, BoomLevel;
    double NoiseStartHz, NoiseEndHz, SweepSeconds, NoiseTau, NoiseLevel;
    double RumbleTau, RumbleLevel;
    double CrackLevel;
    int Crackles;
    double CrackleSeconds, CrackleLevel;
    double Drive;
};

TBuffer Blast(const TBlast& P) {
    TBuffer Out = Silence(P.Length);
    TRandom Random(P.Seed);
    TSvf Body, BodyTone, Rumble1, Rumble2, Crack;
    TOscillator Boom;
    for (size_t I = 0; I < Out.size(); ++I) {
        const double T = TimeOf(I);
        const double White = Random.Signed();
        const double Cutoff = ExpLerp(P.NoiseStartHz, P.NoiseEndHz, T / P.SweepSeconds);
        const double BodyEnv =
            0.7 * AttackDecay(T, 0.002, P.NoiseTau) + 0.3 * AttackDecay(T, 0.004, P.NoiseTau * 3);
        // Two filters in series: a steeper, slightly resonant roll-off gives the roar its "throat".
        const double BodyNoise = BodyTone.LowPass(Body.LowPass(White, Cutoff, 1.1), Cutoff * 1.3, 0.7);
        const double RumbleNoise = Rumble2.LowPass(Rumble1.LowPass(White, 110, 0.8), 110, 0.8);
        const double BoomHz = P.BoomEndHz + (P.BoomStartHz - P.BoomEndHz) * std::exp(-T / P.BoomDropTau);
        const double CrackNoise = Crack.HighPass(White, 1800);
        Out[I] = BodyNoise * BodyEnv * P.NoiseLevel * 4 +
                 RumbleNoise * AttackDecay(T, 0.03, P.RumbleTau) * P.RumbleLevel * 18 +
                 Boom.Sine(BoomHz) * AttackDecay(T, 0.002, P.BoomTau) * P.BoomLevel +
                 CrackNoise * ExpDecay(T, 0.006) * P.CrackLevel;
    }
    // Debris: sparks and crackles, denser at the start.
    for (int K = 0; K < P.Crackles; ++K) {
        const double Start = 0.01 + P.CrackleSeconds * std::pow(Random.Uniform(), 1.6);
        const double Level =
            P.CrackleLevel * Random.Range(0.3, 1.0) * std::exp(-Start / (P.CrackleSeconds * 0.45));
        AddBurst(Out, Random, Start, Random.Range(0.002, 0.008), Random.Range(1200, 5000), 1.5, Level);
    }
    for (double& V : Out)
        V = SoftClip(V, P.Drive);
    return Out;
}

} // namespace

int EngineLoopLength() {
    return SamplesOf(EngineLoopSeconds);
}

TBuffer MakeEngine() {
    const size_t L = static_cast<size_t>(EngineLoopLength());
    TRandom Random(0xE4614E01);
    TBuffer White(L);
    for (double& V : White)
        V = Random.Signed();
    // Noise layers made periodic by circular filtering: a deep rumble, a mid "roar" and a faint hiss.
    TSvf R1, R2, Ro, Hi;
    TBuffer Rumble = Circular(White, [&](double X) { return R2.LowPass(R1.LowPass(X, 170), 170); });
    TBuffer Roar = Circular(White, [&](double X) { return Ro.BandPass(X, 850, 0.9); });
    TBuffer Hiss = Circular(White, [&](double X) { return Hi.HighPass(X, 5000); });
    SetRms(Rumble, 1);
    SetRms(Roar, 1);
    SetRms(Hiss, 1);
    TBuffer Loop(L);
    for (size_t I = 0; I < L; ++I) {
        // Harmonic hum on 50 Hz (whole cycles in the loop; with the game's three overlapping plays
        // 10 ms apart no partial of a 50 Hz series cancels).
        const double Hum =
            1.00 * std::sin(LoopPhase(60, I, L)) + 0.75 * std::sin(LoopPhase(120, I, L) + 0.4) +
            0.50 * std::sin(LoopPhase(180, I, L) + 1.1) + 0.32 * std::sin(LoopPhase(240, I, L) + 2.0) +
            0.20 * std::sin(LoopPhase(300, I, L) + 0.3) + 0.12 * std::sin(LoopPhase(360, I, L) + 2.5) +
            0.06 * std::sin(LoopPhase(480, I, L) + 1.7);
        const double Flutter = 1 + 0.16 * std::sin(LoopPhase(10, I, L));    // 8.33 Hz thruster pulse
        const double Swell = 1 + 0.10 * std::sin(LoopPhase(3, I, L) + 1.0); // 2.5 Hz slow swell
        const double Drift = 1 + 0.15 * std::sin(LoopPhase(1, I, L) + 0.3); // once per loop
        const double Whine = std::sin(LoopPhase(720, I, L) + 0.9 * std::sin(LoopPhase(6, I, L))) +
                             0.35 * std::sin(LoopPhase(1440, I, L) + 1.8 * std::sin(LoopPhase(6, I, L)));
        const double Mix = 0.30 * Hum * Flutter * Swell +
                           0.55 * Rumble[I] * (1 + 0.25 * std::sin(LoopPhase(10, I, L) + 0.5)) * Swell +
                           0.16 * Roar[I] * Drift + 0.025 * Hiss[I] * Drift + 0.025 * Whine * Swell;
        Loop[I] = SoftClip(Mix * 0.7, 1.3);
    }
    FinishLoop(Loop);
    return Loop;
}

TBuffer MakeExplode1() {
    TBlast P{};
    P.Seed = 0xB1A57001;
    P.Length = 1.5;
    P.BoomStartHz = 140, P.BoomEndHz = 42, P.BoomDropTau = 0.07, P.BoomTau = 0.16, P.BoomLevel = 0.9;
    P.NoiseStartHz = 7000, P.NoiseEndHz = 260, P.SweepSeconds = 0.9, P.NoiseTau = 0.2, P.NoiseLevel = 1.0;
    P.RumbleTau = 0.35, P.RumbleLevel = 0.5;
    P.CrackLevel = 0.6;
    P.Crackles = 45, P.CrackleSeconds = 0.6, P.CrackleLevel = 0.5;
    P.Drive = 1.8;
    TBuffer Out = Blast(P);
    Reverb(Out, 0.55, 0.5, 0.14, 0.01);
    FinishOneShot(Out, ShortestFade, 0.25);
    return Out;
}

TBuffer MakeExplode2() {
    TBlast P{};
    P.Seed = 0xB1A57002;
    P.Length = 2.7;
    P.BoomStartHz = 110, P.BoomEndHz = 30, P.BoomDropTau = 0.12, P.BoomTau = 0.4, P.BoomLevel = 1.0;
    P.NoiseStartHz = 8000, P.NoiseEndHz = 160, P.SweepSeconds = 1.6, P.NoiseTau = 0.35, P.NoiseLevel = 1.1;
    P.RumbleTau = 0.9, P.RumbleLevel = 0.9;
    P.CrackLevel = 0.7;
    P.Crackles = 110, P.CrackleSeconds = 1.3, P.CrackleLevel = 0.45;
    P.Drive = 2.4;
    TBuffer Out = Blast(P);
    // Secondary detonations: debris going off a moment after the main blast.
    const double Delays[] = {0.14, 0.31};
    for (int K = 0; K < 2; ++K) {
        TBlast S{};
        S.Seed = 0xB1A57010 + static_cast<uint64_t>(K);
        S.Length = 1.2;
        S.BoomStartHz = 120, S.BoomEndHz = 50, S.BoomDropTau = 0.05, S.BoomTau = 0.1, S.BoomLevel = 0.5;
        S.NoiseStartHz = 5000, S.NoiseEndHz = 300, S.SweepSeconds = 0.6, S.NoiseTau = 0.12,
        S.NoiseLevel = 0.8;
        S.RumbleTau = 0.2, S.RumbleLevel = 0.2;
        S.CrackLevel = 0.4;
        S.Crackles = 15, S.CrackleSeconds = 0.3, S.CrackleLevel = 0.35;
        S.Drive = 1.5;
        Mix(Out, Blast(S), K == 0 ? 0.55 : 0.4, static_cast<size_t>(SamplesOf(Delays[K])));
    }
    Out.resize(static_cast<size_t>(SamplesOf(P.Length)));
    Reverb(Out, 0.82, 0.45, 0.22, 0.02);
    FinishOneShot(Out, ShortestFade, 0.4);
    return Out;
}

TBuffer MakeEmp() {
    TBuffer Out = Silence(1.8);
    TRandom Random(0xE3B00001);
    TOscillator ZapMod, ZapCarrier, Saw1, Saw2, Sub, Wobble, Ring;
    TSvf BuzzFilter, Sparkle, SubNoise;
    for (size_t I = 0; I < Out.size(); ++I) {
        const double T = TimeOf(I);
        // The discharge: an FM zap diving from a metallic screech to a growl.
        const double ZapHz = ExpLerp(2200, 140, T / 0.4);
        const double Index = 4.0 * std::exp(-T / 0.12) + 0.4;
        const double Zap =
            ZapCarrier.Sine(ZapHz * (1 + Index * ZapMod.Sine(ZapHz * 1.414))) * AttackDecay(T, 0.002, 0.13);
        // The pulse: a detuned buzz through a resonant low-pass closing as the wave spreads out
        // (the weapon's reach grows for 1.3 s), throbbing ever slower.
        const double Buzz = Saw1.Saw(55) + Saw2.Saw(55.9) + 0.5 * Ring.Pulse(110.7, 0.3);
        const double Cutoff = ExpLerp(5000, 180, T / 1.45);
        const double Throb = 0.55 + 0.45 * Wobble.Sine(ExpLerp(26, 5, T / 1.4));
        const double Swept = BuzzFilter.Process(Buzz, Cutoff, 5.5).Low * Throb * AttackDecay(T, 0.01, 0.6);
        // A low thump under it and a hiss of ionised air.
        const double Thump = Sub.Sine(35 + 60 * std::exp(-T / 0.08)) * AttackDecay(T, 0.003, 0.28);
        const double Hiss =
            Sparkle.BandPass(Random.Signed(), ExpLerp(7000, 1500, T / 1.2), 1.2) * AttackDecay(T, 0.005, 0.4);
        const double Air = SubNoise.LowPass(Random.Signed(), 400) * AttackDecay(T, 0.02, 0.5);
        Out[I] = 0.5 * Zap + 0.45 * Swept + 0.7 * Thump + 0.35 * Hiss + 0.8 * Air;
    }
    // Electric arcs crackling around the wave front.
    for (int K = 0; K < 80; ++K) {
        const double Start = 0.01 + 1.35 * std::pow(Random.Uniform(), 1.4);
        const double Level = Random.Range(0.2, 0.6) * std::exp(-Start / 0.9);
        AddBurst(Out, Random, Start, Random.Range(0.0008, 0.004), Random.Range(2500, 7500), 0.9, Level);
    }
    for (double& V : Out)
        V = SoftClip(V, 1.6);
    Echo(Out, 0.11, 0.35, 0.28, 3500);
    Reverb(Out, 0.6, 0.5, 0.15);
    FinishOneShot(Out, ShortestFade, 0.3);
    return Out;
}

TBuffer MakePhazer() {
    TBuffer Out = Silence(1.6);
    TRandom Random(0xF4A2E001);
    TOscillator Core, Detuned, Octave, Pwm, Warble, Ring, Chirp, Hum;
    TSvf Tone, Sizzle;
    const double Gate = 1.2;
    for (size_t I = 0; I < Out.size(); ++I) {
        const double T = TimeOf(I);
        // The beam drops from a charging whine onto a steady 440 Hz with a fast electronic warble.
        const double Base = 440 + 500 * std::exp(-T / 0.045);
        const double Hz = Base * (1 + 0.012 * Warble.Sine(31));
        const double Width = 0.5 + 0.35 * Pwm.Sine(6.5);
        double Beam =
            0.6 * Core.Pulse(Hz, Width) + 0.5 * Detuned.Saw(Hz * 1.0065) + 0.3 * Octave.Sine(Hz * 2.003);
        Beam *= 0.75 + 0.25 * Ring.Sine(61); // a little ring modulation for grit
        Beam = Tone.LowPass(Beam, 2500 + 2000 * std::exp(-T / 0.3), 1.4);
        const double Env = Adsr(T, 0.012, 0.12, 0.75, Gate, 0.35);
        // Charge-up chirp at the trigger.
        const double ChirpOut = Chirp.Sine(ExpLerp(300, 2400, T / 0.07)) * AttackDecay(T, 0.002, 0.03);
        // High sizzle pulsing at 120 Hz, and a low hum that carries the beam's weight.
        const double Buzz = std::fabs(std::sin(TwoPi * 60 * T));
        const double SizzleOut = Sizzle.HighPass(Random.Signed(), 5500) * Buzz;
        Out[I] = Beam * Env + 0.6 * ChirpOut + 0.12 * SizzleOut * Env + 0.25 * Hum.Sine(110) * Env;
    }
    // Phaser: four first-order all-passes with a swept corner frequency, fed back, mixed with the dry beam.
    double Z[4] = {0, 0, 0, 0};
    double Feedback = 0;
    TOscillator Lfo(0.75);
    for (double& V : Out) {
        const double Fc = ExpLerp(250, 3500, 0.5 + 0.5 * Lfo.Sine(1.1));
        const double Tn = std::tan(Pi * Fc / Rate);
        const double A = (Tn - 1) / (Tn + 1);
        double X = V + Feedback * 0.55;
        for (double& S : Z) {
            const double Y = A * X + S;
            S = X - A * Y;
            X = Y;
        }
        Feedback = X;
        V = SoftClip(0.6 * V + 0.6 * X, 1.4);
    }
    Reverb(Out, 0.5, 0.5, 0.12);
    FinishOneShot(Out, ShortestFade, 0.12);
    return Out;
}

TBuffer MakeLongBomb() {
    TBuffer Out = Silence(1.8);
    TRandom Random(0x10B0B001);
    TOscillator Thunk, Whistle;
    TSvf Tube, Ignition, Whoosh, Whoosh2, Motor1, Motor2;
    for (size_t I = 0; I < Out.size(); ++I) {
        const double T = TimeOf(I);
        const double White = Random.Signed();
        // Launch tube: a hollow thunk.
        const double ThunkOut = Thunk.Sine(45 + 80 * std::exp(-T / 0.03)) * AttackDecay(T, 0.001, 0.09) +
                                0.5 * Tube.BandPass(White, 600, 2.0) * AttackDecay(T, 0.001, 0.03);
        // Ignition crackle, then the rocket motor's roar rushing away (band rises, then falls: Doppler).
        const double IgnitionOut = Ignition.BandPass(White, 2600, 1.0) * AttackDecay(T - 0.03, 0.01, 0.06);
        const double Centre = T < 0.45 ? ExpLerp(320, 2400, T / 0.45) : ExpLerp(2400, 650, (T - 0.45) / 1.2);
        const double Flight = SmoothStep((T - 0.03) / 0.12) * (T < 0.5 ? 1.0 : std::exp(-(T - 0.5) / 0.45));
        const double WhooshOut =
            Whoosh2.BandPass(Whoosh.BandPass(White, Centre, 1.1), Centre * 1.15, 1.1) * Flight;
        const double MotorOut = Motor2.LowPass(Motor1.LowPass(White, 260), 260) * Flight;
        const double WhistleHz =
            T < 0.45 ? ExpLerp(520, 1250, T / 0.45) : ExpLerp(1250, 860, (T - 0.45) / 1.0);
        const double WhistleOut = Whistle.Sine(WhistleHz) * Flight;
        Out[I] = 0.8 * ThunkOut + 0.5 * IgnitionOut + 1.6 * WhooshOut + 4.5 * MotorOut + 0.1 * WhistleOut;
    }
    for (double& V : Out)
        V = SoftClip(V, 1.5);
    Reverb(Out, 0.6, 0.45, 0.14, 0.01);
    FinishOneShot(Out, ShortestFade, 0.3);
    return Out;
}

TBuffer MakeShield() {
    TBuffer Out = Silence(1.9);
    TRandom Random(0x5A1E1D01);
    // A bright A major chord sweeping up an octave into place, shimmering.
    const double Notes[] = {57, 64, 69, 73, 76, 81}; // A3 E4 A4 C#5 E5 A5
    const double Levels[] = {0.8, 0.6, 0.6, 0.45, 0.35, 0.25};
    std::vector<TOscillator> Voices;
    for (int K = 0; K < 12; ++K)
        Voices.emplace_back(Random.Uniform());
    TSvf Sweep;
    for (size_t I = 0; I < Out.size(); ++I) {
        const double T = TimeOf(I);
        const double Glide = ExpLerp(0.5, 1.0, SmoothStep(T / 0.4));
        double Chord = 0;
        for (int K = 0; K < 6; ++K) {
            const double Hz = NoteHz(Notes[K]) * Glide;
            const double Shimmer = 1 + 0.3 * std::sin(TwoPi * (12 + K * 0.7) * T + K);
            const double A = Voices[static_cast<size_t>(2 * K)].Phase;
            Chord += Levels[K] * Shimmer *
                     (Voices[static_cast<size_t>(2 * K)].Sine(Hz * 1.0023) + 0.25 * std::sin(2 * TwoPi * A) +
                      Voices[static_cast<size_t>(2 * K + 1)].Sine(Hz / 1.0023));
        }
        const double Env = SmoothStep(T / 0.14) * (T < 0.9 ? 1.0 : std::exp(-(T - 0.9) / 0.3));
        const double SweepOut =
            Sweep.BandPass(Random.Signed(), ExpLerp(500, 7000, T / 0.45), 3.0) * AttackDecay(T, 0.1, 0.3);
        Out[I] = 0.22 * Chord * Env + 0.5 * SweepOut;
    }
    // Sparkles: short high sine blips scattered over the sound.
    for (int K = 0; K < 45; ++K) {
        const double Start = Random.Range(0.06, 1.25);
        const double Hz = Random.Range(2500, 7500);
        const double Level = Random.Range(0.05, 0.16) * (Start < 0.9 ? 1.0 : std::exp(-(Start - 0.9) / 0.25));
        AddModes(Out, Start, {{Hz, 1.0, Random.Range(0.03, 0.07)}}, Level);
    }
    // Chorus for width and motion.
    TDelayLine Line(0.03);
    TOscillator Lfo;
    for (double& V : Out) {
        Line.Write(V);
        V = 0.7 * V + 0.5 * Line.ReadSeconds(0.012 + 0.004 * Lfo.Sine(0.9));
    }
    Reverb(Out, 0.85, 0.3, 0.3, 0.015);
    FinishOneShot(Out, ShortestFade, 0.3);
    return Out;
}

TBuffer MakeSniper() {
    TBuffer Out = Silence(0.9);
    TRandom Random(0x5419E401);
    TOscillator Thump, Pew;
    TSvf Crack, Body, Body2;
    for (size_t I = 0; I < Out.size(); ++I) {
        const double T = TimeOf(I);
        const double White = Random.Signed();
        const double CrackOut = Crack.HighPass(White, 2200) * ExpDecay(T, 0.0035);
        const double Cutoff = ExpLerp(10000, 700, T / 0.08);
        const double BodyOut =
            Body2.LowPass(Body.LowPass(White, Cutoff, 0.9), Cutoff, 0.7) * AttackDecay(T, 0.0005, 0.04);
        const double ThumpOut = Thump.Sine(55 + 140 * std::exp(-T / 0.02)) * AttackDecay(T, 0.001, 0.06);
        const double PewOut = Pew.Sine(ExpLerp(3400, 520, T / 0.13)) * AttackDecay(T, 0.001, 0.05);
        Out[I] = 1.2 * CrackOut + 1.8 * BodyOut + 0.9 * ThumpOut + 0.3 * PewOut;
    }
    for (double& V : Out)
        V = SoftClip(V, 2.2);
    Echo(Out, 0.13, 0.3, 0.3, 3000);
    Reverb(Out, 0.7, 0.5, 0.18, 0.01);
    FinishOneShot(Out, ShortestFade, 0.25);
    return Out;
}

TBuffer MakePlant() {
    TBuffer Out = Silence(0.55);
    TRandom Random(0x91A47001);
    // The mine drops out of its bay: a heavy metal clunk, then the latch.
    AddModes(Out, 0.0,
             {{160, 1.0, 0.09}, {372, 0.6, 0.06}, {611, 0.45, 0.045}, {1030, 0.3, 0.03}, {1740, 0.2, 0.02}},
             0.8);
    AddBurst(Out, Random, 0.0, 0.006, 1800, 0.8, 0.9);
    AddModes(Out, 0.065, {{880, 0.8, 0.02}, {1630, 0.6, 0.015}, {2710, 0.4, 0.01}}, 0.45);
    AddBurst(Out, Random, 0.065, 0.003, 3500, 1.0, 0.5);
    // Armed: two soft rising beeps.
    const double BeepStart[] = {0.17, 0.28};
    const double BeepHz[] = {NoteHz(88), NoteHz(93)}; // E6, A6
    for (int K = 0; K < 2; ++K) {
        TOscillator Osc;
        TSvf Soft;
        const size_t Offset = static_cast<size_t>(SamplesOf(BeepStart[K]));
        for (size_t I = 0; I < static_cast<size_t>(SamplesOf(0.12)) && Offset + I < Out.size(); ++I) {
            const double T = TimeOf(I);
            Out[Offset + I] +=
                0.22 * Soft.LowPass(Osc.Pulse(BeepHz[K], 0.5), 3500) * Adsr(T, 0.003, 0.02, 0.7, 0.07, 0.025);
        }
    }
    for (double& V : Out)
        V = SoftClip(V, 1.3);
    Reverb(Out, 0.4, 0.5, 0.1);
    FinishOneShot(Out, ShortestFade, 0.08);
    return Out;
}

TBuffer MakeCrate() {
    TBuffer Out = Silence(0.95);
    TRandom Random(0xC4A7E001);
    // A quick rising arpeggio of FM bells: E5 G#5 B5 E6.
    const double Notes[] = {76, 80, 83, 88};
    for (int K = 0; K < 4; ++K) {
        const double Hz = NoteHz(Notes[K]);
        const double Tau = K == 3 ? 0.35 : 0.2;
        const double Level = K == 3 ? 1.0 : 0.75;
        TOscillator Carrier, Modulator, Upper;
        const size_t Offset = static_cast<size_t>(SamplesOf(0.055 * K));
        for (size_t I = 0; Offset + I < Out.size(); ++I) {
            const double T = TimeOf(I);
            const double Index = 2.2 * std::exp(-T / 0.07) + 0.25;
            const double Bell = Carrier.Sine(Hz * (1 + Index * Modulator.Sine(Hz * 2)));
            Out[Offset + I] += Level * (0.5 * Bell * AttackDecay(T, 0.002, Tau) +
                                        0.15 * Upper.Sine(Hz * 4.02) * AttackDecay(T, 0.001, 0.06));
        }
    }
    // A puff of bright air as the crate is taken.
    TSvf Air;
    for (size_t I = 0; I < Out.size(); ++I) {
        const double T = TimeOf(I);
        Out[I] += 0.12 * Air.BandPass(Random.Signed(), ExpLerp(3000, 9000, T / 0.25), 1.5) *
                  AttackDecay(T, 0.03, 0.08);
    }
    Echo(Out, 0.09, 0.3, 0.2, 6000);
    Reverb(Out, 0.6, 0.35, 0.15);
    FinishOneShot(Out, ShortestFade, 0.2);
    return Out;
}

TBuffer MakeCountdown() {
    TBuffer Out = Silence(0.3);
    TOscillator Square, Sine;
    TSvf Soft;
    const double Hz = NoteHz(81); // A5, 880 Hz
    for (size_t I = 0; I < Out.size(); ++I) {
        const double T = TimeOf(I);
        const double Tone = Soft.LowPass(Square.Pulse(Hz, 0.5), 3200, 0.9) + 0.35 * Sine.Sine(Hz * 2);
        Out[I] = Tone * Adsr(T, 0.002, 0.03, 0.75, 0.12, 0.03);
    }
    Echo(Out, 0.07, 0.22, 0.2, 4000);
    FinishOneShot(Out, ShortestFade, 0.04);
    return Out;
}

TBuffer MakeButton() {
    TBuffer Out = Silence(0.075);
    TRandom Random(0xB0770001);
    TOscillator Blip, Body;
    TSvf Click, Soft;
    for (size_t I = 0; I < Out.size(); ++I) {
        const double T = TimeOf(I);
        const double ClickOut = Click.BandPass(Random.Signed(), 3200, 1.0) * ExpDecay(T, 0.0015);
        const double BlipOut = Blip.Sine(ExpLerp(1500, 1000, T / 0.03)) * AttackDecay(T, 0.0008, 0.012);
        const double BodyOut = Body.Sine(320) * AttackDecay(T, 0.001, 0.008);
        Out[I] = Soft.LowPass(0.5 * ClickOut + 0.8 * BlipOut + 0.4 * BodyOut, 6000);
    }
    FinishOneShot(Out, ShortestFade, 0.02);
    return Out;
}

} // namespace Synth
