#include "Wave.h"

#include "Loudness.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>

namespace Synth {

namespace {

constexpr double FullScale = 32767.0;

double Mean(const TBuffer& Buffer) {
    if (Buffer.empty())
        return 0;
    double Sum = 0;
    for (double V : Buffer)
        Sum += V;
    return Sum / static_cast<double>(Buffer.size());
}

void Normalise(TBuffer& Buffer, bool Loop) {
    if (Peak(Buffer) > 0)
        Scale(Buffer, DbToGain(TargetPeakDb - TruePeakDb(Buffer, Loop)));
}

void PutU32(std::vector<uint8_t>& Out, uint32_t V) {
    for (int I = 0; I < 4; ++I)
        Out.push_back(static_cast<uint8_t>(V >> (8 * I)));
}

void PutU16(std::vector<uint8_t>& Out, uint16_t V) {
    Out.push_back(static_cast<uint8_t>(V));
    Out.push_back(static_cast<uint8_t>(V >> 8));
}

void PutTag(std::vector<uint8_t>& Out, const char* Tag) {
    Out.insert(Out.end(), Tag, Tag + 4);
}

uint32_t GetU32(const uint8_t* P) {
    return static_cast<uint32_t>(P[0]) | static_cast<uint32_t>(P[1]) << 8 |
           static_cast<uint32_t>(P[2]) << 16 | static_cast<uint32_t>(P[3]) << 24;
}

uint16_t GetU16(const uint8_t* P) {
    return static_cast<uint16_t>(P[0] | P[1] << 8);
}

} // namespace

void FinishOneShot(TBuffer& Buffer, double FadeInSeconds, double FadeOutSeconds) {
    if (Buffer.empty())
        return;
    const double M = Mean(Buffer);
    for (double& V : Buffer)
        V -= M;
    const size_t Size = Buffer.size();
    const size_t In = std::min(Size / 2, static_cast<size_t>(std::max(1, SamplesOf(FadeInSeconds))));
    const size_t Out = std::min(Size / 2, static_cast<size_t>(std::max(1, SamplesOf(FadeOutSeconds))));
    // Window: 0 at the very first and last sample, raised-cosine ramps, 1 in between.
    TBuffer Window(Size, 1.0);
    for (size_t I = 0; I < In; ++I)
        Window[I] = SmoothStep(static_cast<double>(I) / static_cast<double>(In));
    for (size_t I = 0; I < Out; ++I)
        Window[Size - 1 - I] =
            std::min(Window[Size - 1 - I], SmoothStep(static_cast<double>(I) / static_cast<double>(Out)));
    for (size_t I = 0; I < Size; ++I)
        Buffer[I] *= Window[I];
    // The fades moved the mean a little: take it out in proportion to the window, so the ends stay at 0.
    double WindowSum = 0;
    for (double W : Window)
        WindowSum += W;
    const double Residual = Mean(Buffer) * static_cast<double>(Size);
    if (WindowSum > 0)
        for (size_t I = 0; I < Size; ++I)
            Buffer[I] -= Residual * Window[I] / WindowSum;
    Normalise(Buffer, false);
}

void FinishLoop(TBuffer& Buffer) {
    const double M = Mean(Buffer);
    for (double& V : Buffer)
        V -= M;
    Normalise(Buffer, true);
}

std::vector<int16_t> Quantise(const TBuffer& Buffer) {
    std::vector<int16_t> Out(Buffer.size());
    for (size_t I = 0; I < Buffer.size(); ++I)
        Out[I] = static_cast<int16_t>(std::lround(Clamp(Buffer[I], -1.0, 1.0) * FullScale));
    return Out;
}

TBuffer ToBuffer(const std::vector<int16_t>& Samples) {
    TBuffer Out(Samples.size());
    for (size_t I = 0; I < Samples.size(); ++I)
        Out[I] = Samples[I] / FullScale;
    return Out;
}

bool WriteWav(const std::string& Path, const std::vector<int16_t>& Samples) {
    const uint32_t DataBytes = static_cast<uint32_t>(Samples.size() * 2);
    std::vector<uint8_t> Bytes;
    Bytes.reserve(44 + DataBytes);
    PutTag(Bytes, "RIFF");
    PutU32(Bytes, 36 + DataBytes);
    PutTag(Bytes, "WAVE");
    PutTag(Bytes, "fmt ");
    PutU32(Bytes, 16);
    PutU16(Bytes, 1); // PCM
    PutU16(Bytes, 1); // mono
    PutU32(Bytes, Rate);
    PutU32(Bytes, Rate * 2); // bytes per second
    PutU16(Bytes, 2);        // block align
    PutU16(Bytes, 16);       // bits per sample
    PutTag(Bytes, "data");
    PutU32(Bytes, DataBytes);
    for (int16_t S : Samples)
        PutU16(Bytes, static_cast<uint16_t>(S));
    std::ofstream File(Path, std::ios::binary | std::ios::trunc);
    File.write(reinterpret_cast<const char*>(Bytes.data()), static_cast<std::streamsize>(Bytes.size()));
    return static_cast<bool>(File);
}

bool ReadWav(const std::string& Path, TWavInfo& Info, std::string& Error) {
    std::ifstream File(Path, std::ios::binary);
    if (!File) {
        Error = "cannot open";
        return false;
    }
    const std::vector<uint8_t> Bytes((std::istreambuf_iterator<char>(File)),
                                     std::istreambuf_iterator<char>());
    if (Bytes.size() < 12 || std::memcmp(Bytes.data(), "RIFF", 4) != 0 ||
        std::memcmp(Bytes.data() + 8, "WAVE", 4) != 0) {
        Error = "not a RIFF WAVE file";
        return false;
    }
    size_t Pos = 12;
    bool HaveFormat = false;
    int Format = 0;
    while (Pos + 8 <= Bytes.size()) {
        const uint32_t ChunkSize = GetU32(&Bytes[Pos + 4]);
        const size_t Body = Pos + 8;
        if (Body + ChunkSize > Bytes.size()) {
            Error = "chunk runs past the end of the file";
            return false;
        }
        if (std::memcmp(&Bytes[Pos], "fmt ", 4) == 0 && ChunkSize >= 16) {
            Format = GetU16(&Bytes[Body]);
            Info.Channels = GetU16(&Bytes[Body + 2]);
            Info.SampleRate = static_cast<int>(GetU32(&Bytes[Body + 4]));
            Info.BitsPerSample = GetU16(&Bytes[Body + 14]);
            HaveFormat = true;
        } else if (std::memcmp(&Bytes[Pos], "data", 4) == 0) {
            if (!HaveFormat || Format != 1 || Info.BitsPerSample != 16 || Info.Channels < 1) {
                Error = "not PCM 16-bit";
                return false;
            }
            const size_t Frame = static_cast<size_t>(Info.Channels) * 2;
            const size_t Frames = ChunkSize / Frame;
            Info.Samples.resize(Frames);
            for (size_t I = 0; I < Frames; ++I)
                Info.Samples[I] = static_cast<int16_t>(GetU16(&Bytes[Body + I * Frame]));
            return true;
        }
        Pos = Body + ChunkSize + (ChunkSize & 1);
    }
    Error = "no data chunk";
    return false;
}

} // namespace Synth
