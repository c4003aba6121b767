// What a listener hears of a sample: its integrated loudness (K-weighted, gated, as broadcast meters read
// it) and its true peak (the peak of the waveform between the samples, found by 4x oversampling).
#pragma once

#include "Dsp.h"

namespace Synth {

// Integrated loudness in LUFS: K-weighting, mean square over 400 ms blocks every 100 ms, blocks below
// -70 LUFS and then those 10 LU below the mean dropped. A one-shot shorter than one block is heard as
// one block with silence after it; a loop is measured while it plays round, so no edge of silence enters.
// Returns -999 for silence.
double IntegratedLoudness(const TBuffer& Buffer, bool Loop);

// True peak in dBTP (0 = full scale), with silence around a one-shot or the loop wrapping round.
double TruePeakDb(const TBuffer& Buffer, bool Loop);

} // namespace Synth
