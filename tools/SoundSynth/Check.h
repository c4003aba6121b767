// Reads back the written samples and reports what a listener would hear: each sample's loudness at its
// Volume against its place in the mix, and as faults clipping, a DC offset, clicks at the ends of
// one-shots and a click at the loop seam of looped samples. The meter is first tried on known signals.
#pragma once

#include <string>

namespace Synth {

// Prints one line per sample of the list in DataDir/Sound/Sounds.ini; returns the number of problems.
int CheckSamples(const std::string& DataDir);

} // namespace Synth
