// Finishing a synthesised buffer into a clean 16-bit sample, and reading and writing RIFF WAV files.
#pragma once

#include "Dsp.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Synth {

// The true peak every sample is brought to: a little under -1 dBTP, so rounding to 16 bits and another
// meter's oversampling still read at most -1.
constexpr double TargetPeakDb = -1.1;

// The shortest fade-in that does not click: a hard attack still sounds hard, without the step from
// silence to full level.
constexpr double ShortestFade = 0.003;

// A one-shot: remove the DC offset, fade both ends in and out with raised-cosine ramps, take the mean to
// zero again without touching the ends, and normalise the true peak to TargetPeakDb.
void FinishOneShot(TBuffer& Buffer, double FadeInSeconds, double FadeOutSeconds);
// A seamless loop: remove the DC offset and normalise (the peak as it plays round); no fades (the loop is
// periodic by construction).
void FinishLoop(TBuffer& Buffer);

// Rounds a finished buffer (peak below 1) to 16-bit PCM, and back.
std::vector<int16_t> Quantise(const TBuffer& Buffer);
TBuffer ToBuffer(const std::vector<int16_t>& Samples);

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
