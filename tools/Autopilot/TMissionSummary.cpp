#include "TMissionSummary.h"

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

double Mean(const std::vector<TMissionResult>& Runs,
            const std::function<bool(const TMissionResult&)>& Counted,
            const std::function<double(const TMissionResult&)>& Value) {
    double Sum = 0;
    int Count = 0;
    for (const TMissionResult& Run : Runs)
        if (Counted(Run)) {
            Sum += Value(Run);
            ++Count;
        }
    return Count ? Sum / Count : 0;
}

std::string Format(const char* Pattern, double Value) {
    char Text[64];
    std::snprintf(Text, sizeof Text, Pattern, Value);
    return Text;
}

} // namespace

int TMissionSummary::Wins() const {
    return static_cast<int>(
        std::count_if(Runs.begin(), Runs.end(), [](const TMissionResult& Run) { return Run.Won; }));
}

// Time and energy are those of the won flights (of all when none was won); score and credits of all.
std::string TMissionSummary::Line() const {
    const bool AnyWon = Wins() > 0;
    const auto Counted = [AnyWon](const TMissionResult& Run) { return Run.Won || !AnyWon; };
    const auto All = [](const TMissionResult&) { return true; };
    std::string Text = Name + " won " + std::to_string(Wins()) + "/" + std::to_string(Runs.size());
    Text += Format("  time %.0f s",
                   Mean(Runs, Counted, [](const TMissionResult& R) { return R.PlayMs / 1000.0; }));
    Text += Format("  score %.0f", Mean(Runs, All, [](const TMissionResult& R) { return R.Score; }));
    Text +=
        Format("  credits %.0f", Mean(Runs, All, [](const TMissionResult& R) { return R.CreditsEarned; }));
    Text +=
        Format("  energy %.0f", Mean(Runs, Counted, [](const TMissionResult& R) { return R.EnergyLeft; }));
    if (!Runs.empty() && Runs.front().FirstWaveLeftMs)
        Text += Format("  first wave left %.1f s", Mean(Runs, All, [](const TMissionResult& R) {
                           return R.FirstWaveLeftMs.value_or(0) / 1000.0;
                       }));
    if (!Runs.empty())
        Text += "  briefing " + std::to_string(Runs.front().BriefingWords) + " words";
    const int TimedOut = static_cast<int>(
        std::count_if(Runs.begin(), Runs.end(), [](const TMissionResult& Run) { return Run.TimedOut; }));
    if (TimedOut)
        Text += "  (" + std::to_string(TimedOut) + " timed out)";
    return Text;
}
