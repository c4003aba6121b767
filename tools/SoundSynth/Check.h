// Reads back the written samples and reports what a listener would hear as faults: clipping, a DC offset,
// clicks at the ends of one-shots and a click at the loop seam of looped samples.
#pragma once

#include <string>

namespace Synth {

// Prints one line per sample of the list in DataDir/Sound/Sounds.ini; returns the number of problems.
int CheckSamples(const std::string& DataDir);

} // namespace Synth
