// The game's fifteen samples: how each is made and how it enters the sample list.
#pragma once

#include "Dsp.h"

#include <string>
#include <vector>

namespace Synth {

struct TSampleEntry {
    const char* Name;  // the name the game plays it by
    double Loudness;   // LUFS as heard: the sample's own loudness lowered by its Volume in Sounds.ini
    bool Loop;         // only "engine"
    TBuffer (*Make)(); // returns the finished sample (DC removed, faded, normalised)
};

// In list order: Sample0 .. Sample14.
const std::vector<TSampleEntry>& SampleList();
// The entry of that name, or nullptr.
const TSampleEntry* FindSample(const std::string& Name);

// The Volume (1..100) that brings a sample measured at SampleLufs to TargetLufs as heard, and the
// loudness heard at a Volume.
int VolumeFor(double TargetLufs, double SampleLufs);
double HeardLoudness(double SampleLufs, int Volume);

// Game effects (Effects.cpp).
TBuffer MakeEngine();
TBuffer MakeExplode1();
TBuffer MakeExplode2();
TBuffer MakeEmp();
TBuffer MakePhazer();
TBuffer MakeLongBomb();
TBuffer MakeShield();
TBuffer MakeSniper();
TBuffer MakePlant();
TBuffer MakeCrate();
TBuffer MakeCountdown();
TBuffer MakeButton();

// Studio intro (Intro.cpp).
TBuffer MakeVorlen();
TBuffer MakeRun();
TBuffer MakeScream();

// The engine loop's length in samples: a whole number of periods of every periodic component.
int EngineLoopLength();

} // namespace Synth
