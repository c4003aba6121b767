#include "Check.h"

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
constexpr double PeakLowDb = -1.5, PeakHighDb = -0.5; // normalised to about -1 dBFS
constexpr double DcLimit = 0.0005;                    // mean, as a fraction of full scale
constexpr int EdgeLimit = 64;                         // |first|, |last| sample of a one-shot (LSB)
constexpr double SeamLimit = 3.0;                     // seam step / mean step of a loop

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

} // namespace

int CheckSamples(const std::string& DataDir) {
    std::string Error;
    const std::vector<TEntry> List = ReadList(DataDir + "/Sound/Sounds.ini", Error);
    int Problems = 0;
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
    std::printf("%-10s %4s %4s %8s %9s %9s %10s %7s %7s  %s\n", "name", "vol", "loop", "seconds", "peak dBFS",
                "rms dBFS", "DC", "first", "last", "verdict");
    double TotalBytes = 0;
    for (const TEntry& E : List) {
        std::string File = E.File;
        std::replace(File.begin(), File.end(), '\\', '/');
        TWavInfo Info;
        if (!ReadWav(DataDir + "/" + File, Info, Error)) {
            std::printf("%-10s %s: %s\n", E.Name.c_str(), File.c_str(), Error.c_str());
            ++Problems;
            continue;
        }
        TotalBytes += 44.0 + 2.0 * static_cast<double>(Info.Samples.size()) * Info.Channels;
        std::vector<std::string> Faults;
        if (Info.SampleRate != Rate || Info.Channels != 1)
            Faults.push_back("format " + std::to_string(Info.SampleRate) + " Hz x" +
                             std::to_string(Info.Channels));
        const std::vector<int16_t>& S = Info.Samples;
        if (S.size() < 2) {
            std::printf("%-10s empty\n", E.Name.c_str());
            ++Problems;
            continue;
        }
        double Sum = 0, Squares = 0;
        int PeakValue = 0;
        for (int16_t V : S) {
            Sum += V;
            Squares += static_cast<double>(V) * V;
            PeakValue = std::max(PeakValue, std::abs(static_cast<int>(V)));
        }
        const double N = static_cast<double>(S.size());
        const double PeakDb = Db(PeakValue / 32768.0);
        const double RmsDb = Db(std::sqrt(Squares / N) / 32768.0);
        const double Dc = Sum / N / 32768.0;
        if (PeakDb < PeakLowDb || PeakDb > PeakHighDb)
            Faults.push_back("peak off -1 dBFS");
        if (PeakValue >= 32767)
            Faults.push_back("clipping");
        if (std::fabs(Dc) > DcLimit)
            Faults.push_back("DC offset");
        char Seam[96] = "";
        if (E.Loop) {
            // The seam (last sample to first) against the signal's typical sample-to-sample step.
            double Steps = 0;
            for (size_t I = 1; I < S.size(); ++I)
                Steps += std::fabs(static_cast<double>(S[I]) - S[I - 1]);
            const double MeanStep = Steps / (N - 1);
            const double SeamStep = std::fabs(static_cast<double>(S.front()) - S.back());
            // The change of slope across the seam against the typical change of slope (a kink test).
            double Curves = 0;
            for (size_t I = 2; I < S.size(); ++I)
                Curves += std::fabs(static_cast<double>(S[I]) - 2.0 * S[I - 1] + S[I - 2]);
            const double MeanCurve = Curves / (N - 2);
            const double SeamCurve =
                std::fabs(static_cast<double>(S[0]) - 2.0 * S[S.size() - 1] + S[S.size() - 2]);
            std::snprintf(Seam, sizeof Seam, "seam step %.0f (mean step %.1f, ratio %.2f; kink ratio %.2f)",
                          SeamStep, MeanStep, SeamStep / MeanStep, SeamCurve / MeanCurve);
            if (SeamStep / MeanStep > SeamLimit || SeamCurve / MeanCurve > SeamLimit)
                Faults.push_back("click at the loop seam");
        } else if (std::abs(S.front()) > EdgeLimit || std::abs(S.back()) > EdgeLimit) {
            Faults.push_back("click at an end");
        }
        std::string Verdict = Faults.empty() ? "ok" : "";
        for (const std::string& F : Faults)
            Verdict += (Verdict.empty() ? "" : ", ") + F;
        std::printf("%-10s %4d %4s %8.3f %9.2f %9.2f %10.6f %7d %7d  %s%s%s\n", E.Name.c_str(), E.Volume,
                    E.Loop ? "yes" : "no", N / Info.SampleRate, PeakDb, RmsDb, Dc, S.front(), S.back(),
                    Verdict.c_str(), Seam[0] ? "; " : "", Seam);
        Problems += static_cast<int>(Faults.size());
    }
    std::printf("%zu samples, %.2f MB; %d problem(s)\n", List.size(), TotalBytes / (1024.0 * 1024.0),
                Problems);
    return Problems;
}

} // namespace Synth
