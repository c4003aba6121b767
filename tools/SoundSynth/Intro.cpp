// The studio intro's samples: the "vorlen" theme, the horde's running feet and the knight's scream.
#include "Samples.h"
#include "Wave.h"

#include <cmath>
#include <vector>

namespace Synth {

namespace {

double TimeOf(size_t I) {
    return static_cast<double>(I) / Rate;
}

size_t OffsetOf(double Seconds) {
    return static_cast<size_t>(SamplesOf(Seconds));
}

// --- Instruments of the theme --------------------------------------------------------------------------

// A brass horn: two detuned saws through a low-pass that opens with the attack ("bwah"), a pitch scoop
// into the note and a vibrato that comes in as the note is held.
TBuffer Horn(double Note, double Length, double Velocity) {
    const double Release = 0.14;
    TBuffer Out = Silence(Length + Release);
    const double Hz = NoteHz(Note);
    TOscillator A, B, C;
    TSvf Filter, Filter2, Breath;
    TRandom Random(static_cast<uint64_t>(Note * 1000 + Length * 100));
    for (size_t I = 0; I < Out.size(); ++I) {
        const double T = TimeOf(I);
        const double Scoop = -0.03 * std::exp(-T / 0.025);
        const double Vibrato = 0.0055 * SmoothStep((T - 0.22) / 0.3) * std::sin(TwoPi * 5.4 * T);
        const double F = Hz * (1 + Scoop + Vibrato);
        const double Osc = 0.5 * A.Saw(F) + 0.5 * B.Saw(F * 1.0045) + 0.2 * C.Pulse(F * 0.5, 0.4);
        const double Brightness = 0.45 + 0.55 * AttackDecay(T, 0.045, 0.35);
        const double Cutoff = std::min(9000.0, Hz * (1.3 + 7.0 * Brightness * Velocity));
        const double Tone = Filter2.LowPass(Filter.LowPass(Osc, Cutoff, 0.9), Cutoff * 1.5, 0.6);
        const double BreathOut = Breath.BandPass(Random.Signed(), Hz * 3, 1.2) * AttackDecay(T, 0.005, 0.05);
        Out[I] = (Tone + 0.25 * BreathOut) * Adsr(T, 0.028, 0.18, 0.82, Length, Release) * Velocity;
    }
    return Out;
}

// A string pad: three detuned saws per note, dark and slow.
TBuffer Strings(double Note, double Length, double Velocity) {
    const double Release = 0.45;
    TBuffer Out = Silence(Length + Release);
    const double Hz = NoteHz(Note);
    TOscillator A(0.1), B(0.43), C(0.77);
    TSvf Filter;
    for (size_t I = 0; I < Out.size(); ++I) {
        const double T = TimeOf(I);
        const double Vibrato = 1 + 0.003 * std::sin(TwoPi * 4.8 * T + Note);
        const double Osc = A.Saw(Hz * Vibrato * 0.996) + B.Saw(Hz * Vibrato) + C.Saw(Hz * Vibrato * 1.004);
        Out[I] = Filter.LowPass(Osc, 1700, 0.6) * Adsr(T, 0.22, 0.3, 0.8, Length, Release) * Velocity / 3;
    }
    return Out;
}

// A picked bass: saw and a sine an octave below, with a closing filter.
TBuffer Bass(double Note, double Length, double Velocity) {
    const double Release = 0.05;
    TBuffer Out = Silence(Length + Release);
    const double Hz = NoteHz(Note);
    TOscillator Saw, Sub;
    TSvf Filter;
    for (size_t I = 0; I < Out.size(); ++I) {
        const double T = TimeOf(I);
        const double Cutoff = Hz * (2.0 + 9.0 * std::exp(-T / 0.05));
        const double Tone = Filter.LowPass(Saw.Saw(Hz), Cutoff, 1.0) + 0.6 * Sub.Sine(Hz);
        Out[I] = Tone * Adsr(T, 0.004, 0.1, 0.65, Length, Release) * Velocity;
    }
    return Out;
}

// A plucked harp or lute string (Karplus-Strong with a fractional delay).
TBuffer Harp(double Note, double Velocity, uint64_t Seed) {
    TBuffer Out = Silence(1.2);
    const double Hz = NoteHz(Note);
    const double Period = static_cast<double>(Rate) / Hz;
    TDelayLine Line(0.05);
    TRandom Random(Seed);
    TOnePole Excite;
    double Previous = 0;
    const size_t Burst = static_cast<size_t>(Period);
    for (size_t I = 0; I < Out.size(); ++I) {
        const double In = I < Burst ? Excite.LowPass(Random.Signed(), 3500) : 0.0;
        const double Delayed = Line.Read(Period - 0.5);
        const double Y = In + 0.996 * 0.5 * (Delayed + Previous);
        Previous = Delayed;
        Line.Write(Y);
        Out[I] = Y * Velocity;
    }
    const size_t Fade = OffsetOf(0.1);
    for (size_t I = 0; I < Fade; ++I)
        Out[Out.size() - 1 - I] *= static_cast<double>(I) / static_cast<double>(Fade);
    return Out;
}

// A war drum: a deep membrane with a falling pitch, a second mode and the slap of the skin.
TBuffer Taiko(double Velocity, uint64_t Seed) {
    TBuffer Out = Silence(1.0);
    TOscillator Body, Mode;
    TSvf Skin;
    TRandom Random(Seed);
    for (size_t I = 0; I < Out.size(); ++I) {
        const double T = TimeOf(I);
        const double Hz = 50 + 75 * std::exp(-T / 0.03);
        Out[I] = (Body.Sine(Hz) * AttackDecay(T, 0.001, 0.3) +
                  0.3 * Mode.Sine(Hz * 1.59) * AttackDecay(T, 0.001, 0.1) +
                  0.5 * Skin.LowPass(Random.Signed(), 1200) * AttackDecay(T, 0.001, 0.025)) *
                 Velocity;
    }
    return Out;
}

TBuffer Tom(double Velocity, double Pitch, uint64_t Seed) {
    TBuffer Out = Silence(0.7);
    TOscillator Body;
    TSvf Skin;
    TRandom Random(Seed);
    for (size_t I = 0; I < Out.size(); ++I) {
        const double T = TimeOf(I);
        const double Hz = Pitch * (1 + 0.7 * std::exp(-T / 0.035));
        Out[I] = (Body.Sine(Hz) * AttackDecay(T, 0.001, 0.17) +
                  0.35 * Skin.BandPass(Random.Signed(), 1800, 0.7) * AttackDecay(T, 0.001, 0.02)) *
                 Velocity;
    }
    return Out;
}

// A marching snare: a short tone and a burst of bright rattling noise.
TBuffer Snare(double Velocity, uint64_t Seed) {
    TBuffer Out = Silence(0.45);
    TOscillator Body;
    TSvf Wires, Air;
    TRandom Random(Seed);
    for (size_t I = 0; I < Out.size(); ++I) {
        const double T = TimeOf(I);
        const double White = Random.Signed();
        Out[I] = (0.5 * Body.Sine(190 * (1 + 0.3 * std::exp(-T / 0.01))) * AttackDecay(T, 0.001, 0.05) +
                  0.8 * Wires.BandPass(White, 3200, 0.7) * AttackDecay(T, 0.001, 0.11) +
                  0.4 * Air.HighPass(White, 6000) * AttackDecay(T, 0.001, 0.05)) *
                 Velocity;
    }
    return Out;
}

// A crash cymbal: six detuned square waves (a metallic cluster) and noise, high-passed, ringing long.
TBuffer Crash(double Velocity, uint64_t Seed) {
    TBuffer Out = Silence(3.0);
    const double Partials[] = {205.3, 304.4, 369.6, 522.7, 540.0, 800.0};
    std::vector<TOscillator> Oscillators(6);
    TSvf High, Band;
    TRandom Random(Seed);
    for (size_t I = 0; I < Out.size(); ++I) {
        const double T = TimeOf(I);
        double Metal = 0;
        for (size_t K = 0; K < 6; ++K)
            Metal += Oscillators[K].Pulse(Partials[K] * 1.7, 0.5);
        const double Mixed = 0.3 * Metal + Random.Signed();
        const double Out1 = High.HighPass(Band.BandPass(Mixed, 7000, 0.5), 4000, 0.7);
        Out[I] = Out1 * (0.6 * AttackDecay(T, 0.002, 0.15) + 0.4 * AttackDecay(T, 0.004, 1.1)) * Velocity;
    }
    return Out;
}

// --- Running feet --------------------------------------------------------------------------------------

// One footfall: the heel's thud, the earth's give, and the toe's crunch of gravel a moment later.
void AddStep(TBuffer& Into, TRandom& Random, double Start, double Level, double BrightnessHz, bool Armour) {
    const size_t Offset = OffsetOf(Start);
    const size_t Count = OffsetOf(0.16);
    TOscillator Thud;
    TSvf Earth, Crunch, Distance;
    const double ThudHz = Random.Range(55, 75);
    const double CrunchHz = Random.Range(1100, 2600);
    const double ToeDelay = Random.Range(0.008, 0.02);
    for (size_t I = 0; I < Count && Offset + I < Into.size(); ++I) {
        const double T = TimeOf(I);
        const double White = Random.Signed();
        const double Heel =
            Thud.Sine(ThudHz * (1 + 0.8 * std::exp(-T / 0.012))) * AttackDecay(T, 0.001, 0.03) +
            2.5 * Earth.LowPass(White, 350, 0.8) * AttackDecay(T, 0.001, 0.025);
        const double Toe = Crunch.BandPass(White, CrunchHz, 0.8) * AttackDecay(T - ToeDelay, 0.001, 0.018);
        Into[Offset + I] += Level * Distance.LowPass(Heel + 0.55 * Toe, BrightnessHz, 0.7);
    }
    if (Armour) {
        // Mail and weapons jangling: a few quick metallic ticks, each a cluster of inharmonic partials.
        TBuffer Jangle = Silence(0.09);
        const int Ticks = 3 + static_cast<int>(Random.Uniform() * 3);
        for (int K = 0; K < Ticks; ++K) {
            const size_t TickStart = OffsetOf(Random.Range(0.0, 0.05));
            const double TickLevel = Random.Range(0.4, 1.0);
            for (int M = 0; M < 3; ++M) {
                TOscillator Osc(Random.Uniform());
                const double Hz = Random.Range(2500, 8000);
                const double Tau = Random.Range(0.004, 0.012);
                for (size_t I = 0; TickStart + I < Jangle.size(); ++I)
                    Jangle[TickStart + I] += TickLevel * Osc.Sine(Hz) * AttackDecay(TimeOf(I), 0.0005, Tau);
            }
        }
        Mix(Into, Jangle, Level * 0.08, Offset + OffsetOf(Random.Range(0.01, 0.03)));
    }
}

// --- The scream ----------------------------------------------------------------------------------------

struct TVowel {
    double F[5];
    double B[5];
};

TVowel Blend(const TVowel& A, const TVowel& B, double T) {
    TVowel V{};
    for (int K = 0; K < 5; ++K) {
        V.F[K] = Lerp(A.F[K], B.F[K], T);
        V.B[K] = Lerp(A.B[K], B.B[K], T);
    }
    return V;
}

} // namespace

TBuffer MakeVorlen() {
    const double Beat = 0.5; // 120 beats a minute: a gallop for the chase
    auto At = [&](double Beats) { return OffsetOf(Beats * Beat); };
    TBuffer Music = Silence(11.5);
    uint64_t Seed = 0x704E1000;

    // The melody: a heroic call in D minor (a rising fifth), answered, lifted, and resolved through the
    // leading tone C# onto a long high D.
    struct TNote {
        double Beat, Length, Note, Velocity;
    };
    const std::vector<TNote> Melody = {
        {0, 1.5, 62, 0.85},  {1.5, 0.5, 62, 0.7},  {2, 2, 69, 0.95},                     // D4 . D4 A4
        {4, 1.5, 70, 0.9},   {5.5, 0.5, 69, 0.75}, {6, 1, 67, 0.8},   {7, 1, 65, 0.8},   // Bb4 A4 G4 F4
        {8, 1.5, 64, 0.85},  {9.5, 0.5, 65, 0.75}, {10, 1, 67, 0.85}, {11, 1, 72, 0.95}, // E4 F4 G4 C5
        {12, 1.5, 69, 0.95}, {13.5, 0.5, 70, 0.8}, {14, 1, 69, 0.9},  {15, 1, 73, 1.0},  // A4 Bb4 A4 C#5
        {16, 3.2, 74, 1.0},                                                              // D5
    };
    for (const TNote& N : Melody)
        Mix(Music, Horn(N.Note, N.Length * Beat * 0.95, N.Velocity), 0.36, At(N.Beat));
    // A second horn joins for the ending: the full D minor chord.
    Mix(Music, Horn(69, 3.2 * Beat, 0.9), 0.24, At(16));
    Mix(Music, Horn(65, 3.2 * Beat, 0.85), 0.2, At(16));
    Mix(Music, Horn(62, 3.2 * Beat, 0.85), 0.2, At(16));

    // Strings hold the chords: Dm, Bb, C, A, Dm.
    const std::vector<std::vector<double>> Chords = {
        {50, 53, 57, 62}, {46, 53, 58, 62}, {48, 55, 60, 64}, {45, 52, 57, 61, 64}, {50, 57, 62, 65, 69}};
    for (size_t Bar = 0; Bar < Chords.size(); ++Bar)
        for (double Note : Chords[Bar])
            Mix(Music, Strings(Note, (Bar == 4 ? 3.5 : 3.9) * Beat, 0.9), 0.12,
                At(4.0 * static_cast<double>(Bar)));

    // The bass gallops in eighths on the chord roots, then holds the last D.
    const double Roots[] = {38, 34, 36, 33};
    const double Pattern[] = {0, 0, 12, 0, 0, 7, 12, 7};
    for (int Bar = 0; Bar < 4; ++Bar)
        for (int K = 0; K < 8; ++K) {
            const double Accent = (K % 2 == 0) ? 1.0 : 0.75;
            Mix(Music, Bass(Roots[Bar] + Pattern[K], Beat * 0.42, Accent), 0.3, At(4.0 * Bar + 0.5 * K));
        }
    Mix(Music, Bass(38, 3.5 * Beat, 1.0), 0.32, At(16));

    // A harp runs up and down the chord in eighths under the horn.
    const std::vector<std::vector<double>> Arpeggios = {{62, 65, 69, 74, 77, 74, 69, 65},
                                                        {58, 62, 65, 70, 74, 70, 65, 62},
                                                        {60, 64, 67, 72, 76, 72, 67, 64},
                                                        {57, 61, 64, 69, 73, 69, 64, 61}};
    for (int Bar = 0; Bar < 4; ++Bar)
        for (int K = 0; K < 8; ++K)
            Mix(Music, Harp(Arpeggios[static_cast<size_t>(Bar)][static_cast<size_t>(K)], 0.8, ++Seed), 0.4,
                At(4.0 * Bar + 0.5 * K));
    Mix(Music, Harp(74, 1.0, ++Seed), 0.45, At(16));
    Mix(Music, Harp(81, 0.9, ++Seed), 0.35, At(16.02));

    // War drums: big drums on the downbeats, toms galloping, a marching snare, a roll into the end.
    for (int Bar = 0; Bar < 4; ++Bar) {
        const double B0 = 4.0 * Bar;
        const double Swell = 0.8 + 0.07 * Bar;
        Mix(Music, Taiko(Swell, ++Seed), 0.42, At(B0));
        Mix(Music, Taiko(Swell * 0.8, ++Seed), 0.42, At(B0 + 2));
        Mix(Music, Tom(Swell * 0.7, 110, ++Seed), 0.3, At(B0 + 1.5));
        Mix(Music, Tom(Swell * 0.8, 95, ++Seed), 0.3, At(B0 + 3));
        Mix(Music, Tom(Swell * 0.6, 95, ++Seed), 0.3, At(B0 + 3.5));
        Mix(Music, Tom(Swell * 0.7, 80, ++Seed), 0.3, At(B0 + 3.75));
        Mix(Music, Snare(Swell * 0.7, ++Seed), 0.22, At(B0 + 1));
        if (Bar < 3)
            Mix(Music, Snare(Swell * 0.7, ++Seed), 0.22, At(B0 + 3));
    }
    for (int K = 0; K < 8; ++K) // the roll: sixteenths over the last two beats, growing
        Mix(Music, Snare(0.35 + 0.08 * K, ++Seed), 0.22, At(14 + 0.25 * K));
    Mix(Music, Crash(0.8, ++Seed), 0.2, At(0));
    Mix(Music, Crash(1.0, ++Seed), 0.24, At(16));
    Mix(Music, Taiko(1.1, ++Seed), 0.48, At(16));
    Mix(Music, Taiko(0.8, ++Seed), 0.4, At(17.5));

    Music.resize(OffsetOf(11.5));
    Reverb(Music, 0.82, 0.4, 0.2, 0.02);
    for (double& V : Music)
        V = SoftClip(V, 1.15);
    FinishOneShot(Music, 0.002, 0.8);
    return Music;
}

TBuffer MakeRun() {
    const double Length = 3.6;
    TBuffer Out = Silence(Length);
    TRandom Random(0x4A4E0001);
    // A horde: sixteen runners, each with its own stride, distance (level and brightness) and gear.
    // The two nearest keep a clear galloping rhythm in front of the crowd.
    for (int Runner = 0; Runner < 16; ++Runner) {
        const double Near = Runner == 0 ? 1.0 : Runner == 1 ? 0.85 : Random.Range(0.15, 0.7);
        const double Stride = Runner < 2 ? 0.33 : Random.Range(0.29, 0.38);
        double Time = Runner == 0 ? 0.01 : Runner == 1 ? 0.01 + Stride * 0.42 : Random.Range(0.0, Stride);
        int Foot = 0;
        while (Time < Length) {
            const double Level = std::pow(Near, 1.4) * (Foot % 2 == 0 ? 1.0 : 0.82) * Random.Range(0.85, 1.0);
            AddStep(Out, Random, Time, Level, 900 + 4000 * Near, Random.Uniform() < 0.3);
            Time += Stride + Random.Gauss() * 0.006;
            ++Foot;
        }
    }
    Out.resize(OffsetOf(Length)); // armour jangles near the end may have run past it
    // The ground's rumble under so many feet.
    TSvf Rumble1, Rumble2;
    for (size_t I = 0; I < Out.size(); ++I) {
        const double T = TimeOf(I);
        Out[I] += 3.0 * Rumble2.LowPass(Rumble1.LowPass(Random.Signed(), 90), 90) *
                  (1 + 0.3 * std::sin(TwoPi * 3 * T));
    }
    for (double& V : Out)
        V = SoftClip(V, 1.3);
    Reverb(Out, 0.45, 0.6, 0.12, 0.02);
    FinishOneShot(Out, 0.03, 0.4);
    return Out;
}

TBuffer MakeScream() {
    const double Length = 1.15;
    TBuffer Out = Silence(Length);
    TRandom Random(0x5C4EA001);
    // Vowels (formant frequencies and bandwidths, Hz): a rounded onset, the wide-open scream "AAH" (a
    // raised first formant, as in shouting), and a darker "AOH" as the breath runs out.
    const TVowel Onset = {{600, 1050, 2450, 3300, 4200}, {90, 110, 160, 250, 300}};
    const TVowel Open = {{880, 1300, 2650, 3450, 4400}, {120, 130, 170, 260, 320}};
    const TVowel Close = {{700, 1080, 2550, 3350, 4300}, {110, 120, 170, 260, 320}};
    TResonator Formants[5];
    TOscillator Glottis, Rough;
    TOnePole Jitter, FastJitter, Flutter, Tilt;
    TSvf Aspiration;
    for (size_t I = 0; I < Out.size(); ++I) {
        const double T = TimeOf(I);
        // Pitch: a jump up into the cry, a slow sag, and a fall as it dies away; vibrato and jitter.
        double F0 = 0;
        if (T < 0.1)
            F0 = ExpLerp(300, 560, SmoothStep(T / 0.1));
        else if (T < 0.75)
            F0 = ExpLerp(560, 470, (T - 0.1) / 0.65);
        else
            F0 = ExpLerp(470, 270, (T - 0.75) / 0.4);
        // Slow wander (about 1.5 % deviation) and fast cycle-to-cycle jitter (about 0.5 %).
        const double Wobble =
            Jitter.LowPass(Random.Gauss(), 14) * 0.5 + FastJitter.LowPass(Random.Gauss(), 200) * 0.04;
        F0 *= 1 + 0.028 * std::sin(TwoPi * 6.2 * T) * SmoothStep((T - 0.15) / 0.25) + Wobble;
        const double Shimmer = 1 + Flutter.LowPass(Random.Gauss(), 30) * 2.0; // about 10 % amplitude flutter
        // Source: a band-limited ramp (the glottal pulse train), roughened by a sub-harmonic flutter as a
        // strained voice is, plus breath noise.
        const double Roughness = 0.3 + 0.15 * SmoothStep((T - 0.6) / 0.3);
        double Source = -Glottis.Saw(F0) * (1 + Roughness * Rough.Sine(F0 * 0.5));
        Source = Tilt.LowPass(Source, 3500) * 0.6 + Source * 0.4;
        const double Breath =
            Aspiration.HighPass(Random.Signed(), 900) * (0.18 + 0.2 * SmoothStep((T - 0.7) / 0.4));
        const double Excitation = Source + Breath;
        // The vocal tract: five formant resonators in cascade, gliding between the vowels.
        const TVowel V = T < 0.12 ? Blend(Onset, Open, SmoothStep(T / 0.12))
                                  : Blend(Open, Close, SmoothStep((T - 0.55) / 0.5));
        double Y = Excitation;
        for (int K = 4; K >= 0; --K)
            Y = Formants[K].Process(Y, V.F[K], V.B[K]);
        const double Env =
            SmoothStep(T / 0.045) * (1 - 0.2 * T) * (T < 0.8 ? 1.0 : 1 - SmoothStep((T - 0.8) / 0.33));
        Out[I] = Y * Env * Shimmer;
    }
    // Scale before the strain of the saturator: the formant cascade has a large gain.
    const double P = Peak(Out);
    for (double& V : Out)
        V = SoftClip(V / P, 2.2);
    Reverb(Out, 0.55, 0.5, 0.14, 0.015);
    FinishOneShot(Out, ShortestFade, 0.12);
    return Out;
}

} // namespace Synth
