#include "Check.h"

#include "Loudness.h"
#include "Samples.h"
#include "Wave.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace Synth {

namespace {

// Limits of a clean sample.
constexpr double PeakLowDb = -2.0, PeakHighDb = -1.0; // true peak: headroom kept, but not wasted
constexpr double DcLimit = 0.0005;                    // mean, as a fraction of full scale
constexpr int EdgeLimit = 64;                         // |first|, |last| sample of a one-shot (LSB)
constexpr double EdgeSeconds = 0.0005;                // a one-shot's first and last half millisecond...
constexpr double EdgeLimitDb = -20;                   // ...stay this quiet: fades of a few ms, no click
constexpr double SeamLimit = 3.0;                     // seam step / mean step of a loop
// The mix: each sample heard within this of the loudness the list gives it, and all of them in one band.
constexpr double LoudnessTolerance = 0.5;
constexpr double HeardLowLufs = -28, HeardHighLufs = -13;

double Db(double Fraction) {
    return Fraction > 0 ? 20 * std::log10(Fraction) : -999.0;
}

// The sample list: name, file, loop flag, volume, read from Sounds.ini (the simple form we write).
struct TEntry {
    std::string Name, File;
    int Volume = 100;
    bool Loop = false;
};

std::vector<TEntry> ReadList(const std::string& Path, std::string& Error) {
    std::ifstream File(Path);
    std::vector<TEntry> List;
    if (!File) {
        Error = "cannot open " + Path;
        return List;
    }
    std::string Line;
    int Count = -1;
    TEntry* Current = nullptr;
    while (std::getline(File, Line)) {
        if (!Line.empty() && Line.back() == '\r')
            Line.pop_back();
        if (Line.rfind("[Sample", 0) == 0 && Line != "[Samples]") {
            List.emplace_back();
            Current = &List.back();
            continue;
        }
        const size_t Eq = Line.find('=');
        if (Eq == std::string::npos)
            continue;
        const std::string Key = Line.substr(0, Eq), Value = Line.substr(Eq + 1);
        if (Key == "Count" && Current == nullptr)
            Count = std::atoi(Value.c_str());
        else if (Current != nullptr && Key == "Name")
            Current->Name = Value;
        else if (Current != nullptr && Key == "Sample")
            Current->File = Value;
        else if (Current != nullptr && Key == "Volume")
            Current->Volume = std::atoi(Value.c_str());
        else if (Current != nullptr && Key == "Loop")
            Current->Loop = Value == "1";
    }
    if (Count != static_cast<int>(List.size()))
        Error = "Count=" + std::to_string(Count) + " but " + std::to_string(List.size()) + " entries";
    return List;
}

// The meter against signals whose readings are known: a 997 Hz sine at full scale reads -3.01 LUFS; the
// same at -20 dBFS between two stretches at -33 dBFS reads -23.0 once the gate drops the quiet ones; a
// sine at a quarter of the rate, sampled 45 degrees off its crests, peaks at -3.01 dBFS but 0 dBTP (read
// a little under: its crests fall between the oversampled points).
int CalibrateMeter() {
    auto Tone = [](double Seconds, double Db, double Hz, double Phase) {
        TBuffer Out(static_cast<size_t>(SamplesOf(Seconds)));
        for (size_t I = 0; I < Out.size(); ++I)
            Out[I] = DbToGain(Db) * std::sin(TwoPi * Hz * static_cast<double>(I) / Rate + Phase);
        return Out;
    };
    TBuffer Gated = Tone(10, -33, 997, 0);
    Mix(Gated, Tone(60, -20, 997, 0), 1, Gated.size());
    Mix(Gated, Tone(10, -33, 997, 0), 1, Gated.size());
    const struct {
        const char* Name;
        double Reading, Expected, Tolerance;
    } Readings[] = {
        {"loudness of a full-scale sine", IntegratedLoudness(Tone(5, 0, 997, 0), false), -3.01, 0.05},
        {"gated loudness", IntegratedLoudness(Gated, false), -23.0, 0.1},
        {"true peak between samples", TruePeakDb(Tone(1, 0, Rate / 4.0, Pi / 4), false), 0.0, 0.2},
    };
    int Problems = 0;
    for (const auto& R : Readings)
        if (std::fabs(R.Reading - R.Expected) > R.Tolerance) {
            std::printf("meter: %s reads %.2f, not %.2f\n", R.Name, R.Reading, R.Expected);
            ++Problems;
        }
    return Problems;
}

// The fault at the seam of a loop, if any: the step from the last sample to the first against the
// signal's typical step, and the change of slope there against the typical change of slope (a kink).
std::string SeamFault(const std::vector<int16_t>& S, std::string& Report) {
    const double N = static_cast<double>(S.size());
    double Steps = 0, Curves = 0;
    for (size_t I = 1; I < S.size(); ++I)
        Steps += std::fabs(static_cast<double>(S[I]) - S[I - 1]);
    for (size_t I = 2; I < S.size(); ++I)
        Curves += std::fabs(static_cast<double>(S[I]) - 2.0 * S[I - 1] + S[I - 2]);
    const double StepRatio = std::fabs(static_cast<double>(S.front()) - S.back()) / (Steps / (N - 1));
    const double KinkRatio =
        std::fabs(static_cast<double>(S[0]) - 2.0 * S[S.size() - 1] + S[S.size() - 2]) / (Curves / (N - 2));
    char Text[64];
    std::snprintf(Text, sizeof Text, "seam %.2f, kink %.2f", StepRatio, KinkRatio);
    Report = Text;
    return StepRatio > SeamLimit || KinkRatio > SeamLimit ? "click at the loop seam" : "";
}

// The fault at the ends of a one-shot, if any: a first or last sample off zero (a step from silence),
// or anything loud in the first or last EdgeSeconds (a fade too short to hear as one).
std::string EdgeFault(const std::vector<int16_t>& S, std::string& Report) {
    const size_t Edge = std::min(S.size(), static_cast<size_t>(SamplesOf(EdgeSeconds)));
    int Loudest = 0;
    for (size_t I = 0; I < Edge; ++I)
        Loudest = std::max(
            {Loudest, std::abs(static_cast<int>(S[I])), std::abs(static_cast<int>(S[S.size() - 1 - I]))});
    const double EdgeDb = Db(Loudest / 32768.0);
    char Text[32];
    std::snprintf(Text, sizeof Text, "edges %.1f dBFS", EdgeDb);
    Report = Text;
    const bool Step = std::abs(S.front()) > EdgeLimit || std::abs(S.back()) > EdgeLimit;
    return Step || EdgeDb > EdgeLimitDb ? "click at an end" : "";
}

// What a sample's measures say is wrong with its level, against the loudness it is made for.
std::vector<std::string> LevelFaults(double TruePeak, double Dc, double Heard, const TSampleEntry* Made) {
    std::vector<std::string> Faults;
    if (TruePeak > PeakHighDb)
        Faults.push_back("true peak over " + std::to_string(static_cast<int>(PeakHighDb)) + " dBTP");
    if (TruePeak < PeakLowDb)
        Faults.push_back("not normalised");
    if (std::fabs(Dc) > DcLimit)
        Faults.push_back("DC offset");
    if (Made == nullptr)
        Faults.push_back("not made by SoundSynth");
    else if (std::fabs(Heard - Made->Loudness) > LoudnessTolerance)
        Faults.push_back("heard off its loudness");
    if (Made != nullptr && (Made->Loudness < HeardLowLufs || Made->Loudness > HeardHighLufs))
        Faults.push_back("loudness outside the mix's band");
    return Faults;
}

// Checks one listed sample and prints its line; returns the number of faults.
int CheckSample(const std::string& DataDir, const TEntry& E) {
    std::string File = E.File, Error;
    std::replace(File.begin(), File.end(), '\\', '/');
    TWavInfo Info;
    if (!ReadWav(DataDir + "/" + File, Info, Error)) {
        std::printf("%-10s %s: %s\n", E.Name.c_str(), File.c_str(), Error.c_str());
        return 1;
    }
    const std::vector<int16_t>& S = Info.Samples;
    if (S.size() < 2) {
        std::printf("%-10s empty\n", E.Name.c_str());
        return 1;
    }
    const TBuffer Buffer = ToBuffer(S);
    double Dc = 0;
    for (double V : Buffer)
        Dc += V / static_cast<double>(Buffer.size());
    const double Lufs = IntegratedLoudness(Buffer, E.Loop), TruePeak = TruePeakDb(Buffer, E.Loop);
    const double Heard = HeardLoudness(Lufs, E.Volume);
    const TSampleEntry* Made = FindSample(E.Name);
    std::vector<std::string> Faults = LevelFaults(TruePeak, Dc, Heard, Made);
    if (Info.SampleRate != Rate || Info.Channels != 1)
        Faults.push_back("format " + std::to_string(Info.SampleRate) + " Hz x" +
                         std::to_string(Info.Channels));
    std::string Ends;
    const std::string EndFault = E.Loop ? SeamFault(S, Ends) : EdgeFault(S, Ends);
    if (!EndFault.empty())
        Faults.push_back(EndFault);
    std::string Verdict = Faults.empty() ? "ok" : "";
    for (const std::string& F : Faults)
        Verdict += (Verdict.empty() ? "" : ", ") + F;
    std::printf("%-10s %4d %4s %7.3f %7.2f %7.2f %7.2f %7.2f %7.2f %9.6f  %-24s %s\n", E.Name.c_str(),
                E.Volume, E.Loop ? "yes" : "no", static_cast<double>(S.size()) / Info.SampleRate, Lufs,
                Db(Peak(Buffer)), TruePeak, Heard, Made != nullptr ? Made->Loudness : 0.0, Dc, Ends.c_str(),
                Verdict.c_str());
    return static_cast<int>(Faults.size());
}

} // namespace

int CheckSamples(const std::string& DataDir) {
    int Problems = CalibrateMeter();
    std::string Error;
    const std::vector<TEntry> List = ReadList(DataDir + "/Sound/Sounds.ini", Error);
    if (!Error.empty()) {
        std::printf("Sounds.ini: %s\n", Error.c_str());
        ++Problems;
    }
    for (const TSampleEntry& Entry : SampleList()) {
        const bool Listed =
            std::any_of(List.begin(), List.end(), [&](const TEntry& E) { return E.Name == Entry.Name; });
        if (!Listed) {
            std::printf("Sounds.ini: no entry for \"%s\"\n", Entry.Name);
            ++Problems;
        }
    }
    std::printf("%-10s %4s %4s %7s %7s %7s %7s %7s %7s %9s  %-24s %s\n", "name", "vol", "loop", "seconds",
                "LUFS", "peak", "dBTP", "heard", "target", "DC", "ends", "verdict");
    for (const TEntry& E : List)
        Problems += CheckSample(DataDir, E);
    std::printf(
        "limits: true peak %.0f..%.0f dBTP; heard within %.1f LU of its target, targets in %.0f..%.0f "
        "LUFS; one-shot edges (first and last %.1f ms) under %.0f dBFS; loop seam and kink ratios under "
        "%.0f\n",
        PeakLowDb, PeakHighDb, LoudnessTolerance, HeardLowLufs, HeardHighLufs, EdgeSeconds * 1000,
        EdgeLimitDb, SeamLimit);
    std::printf("%zu samples; %d problem(s)\n", List.size(), Problems);
    return Problems;
}

} // namespace Synth
