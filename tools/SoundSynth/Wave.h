// Finishing a synthesised buffer into a clean 16-bit sample, and reading and writing RIFF WAV files.
#pragma once

#include "Dsp.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Synth {

constexpr double TargetPeakDb = -1.0;

// A one-shot: remove the DC offset, fade both ends in and out with raised-cosine ramps, take the mean to
// zero again without touching the ends, and normalise the peak to TargetPeakDb.
void FinishOneShot(TBuffer& Buffer, double FadeInSeconds, double FadeOutSeconds);
// A seamless loop: remove the DC offset and normalise; no fades (the loop is periodic by construction).
void FinishLoop(TBuffer& Buffer);

// Rounds a finished buffer (peak below 1) to 16-bit PCM.
std::vector<int16_t> Quantise(const TBuffer& Buffer);

// RIFF WAV, PCM 16-bit, 44100 Hz, mono. Returns false on a write error.
bool WriteWav(const std::string& Path, const std::vector<int16_t>& Samples);

struct TWavInfo {
    int Channels = 0;
    int SampleRate = 0;
    int BitsPerSample = 0;
    std::vector<int16_t> Samples; // first channel only
};
// Reads a PCM 16-bit WAV file; Error receives the reason on failure.
bool ReadWav(const std::string& Path, TWavInfo& Info, std::string& Error);

} // namespace Synth
