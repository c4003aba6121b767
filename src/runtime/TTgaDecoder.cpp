#include "runtime/TTgaDecoder.h"

#include <algorithm>
#include <vector>

#include "runtime/TPictureLimits.h"

namespace {

uint16_t U16(const uint8_t* P) {
    return static_cast<uint16_t>(P[0] | P[1] << 8);
}

uint8_t Expand5(unsigned V) {
    return static_cast<uint8_t>((V << 3) | (V >> 2));
}

} // namespace

bool TTgaDecoder::Decode(const uint8_t* Data, size_t Size, TPicture& Out, std::string* Error) {
    Out = TPicture();
    const auto Fail = [&](const char* Message) {
        TPictureLimits::Fail(Error, std::string("TGA: ") + Message);
        return false;
    };
    if (!Data || Size < 18) {
        return Fail("not a TGA file");
    }
    const unsigned IdLength = Data[0];
    const unsigned MapType = Data[1];
    const unsigned ImageType = Data[2];
    const unsigned MapLength = U16(Data + 5);
    const unsigned MapEntryBits = Data[7];
    const unsigned Width = U16(Data + 12);
    const unsigned Height = U16(Data + 14);
    const unsigned Depth = Data[16];
    const unsigned Descriptor = Data[17];

    const bool Rle = ImageType == 10 || ImageType == 11;
    const bool Grey = ImageType == 3 || ImageType == 11;
    if (ImageType != 2 && ImageType != 3 && !Rle) {
        return Fail("unsupported image type");
    }
    if (MapType > 1) {
        return Fail("bad colour map type");
    }
    if (Grey ? (Depth != 8 && Depth != 16) : (Depth != 15 && Depth != 16 && Depth != 24 && Depth != 32)) {
        return Fail("unsupported bit depth");
    }
    if (!TPictureLimits::Check(Width, Height, Error)) {
        return Fail("bad picture size");
    }
    size_t Pos = 18 + IdLength;
    if (MapType == 1) {
        Pos += static_cast<size_t>(MapLength) * ((MapEntryBits + 7) / 8);
    }
    if (Pos > Size) {
        return Fail("file is truncated");
    }
    const size_t PixelBytes = (Depth + 7) / 8;
    const size_t Count = static_cast<size_t>(Width) * Height;
    const size_t Left = Size - Pos;
    // Reject before allocating when the data cannot cover the picture: raw pixels take PixelBytes
    // each, a run packet at most 128 pixels for 1 + PixelBytes bytes.
    if (Rle ? Left / (1 + PixelBytes) < (Count + 127) / 128 : Left / PixelBytes < Count) {
        return Fail("file is truncated");
    }

    const bool AlphaInData = Depth == 32 || (Grey && Depth == 16);
    bool AnyAlpha = false;
    const auto Convert = [&](const uint8_t* P) -> uint32_t {
        switch (Depth) {
        case 8:
            return TPictureLimits::Pack(P[0], P[0], P[0], 255);
        case 15:
        case 16:
            if (Grey) {
                AnyAlpha = AnyAlpha || P[1] != 0;
                return TPictureLimits::Pack(P[0], P[0], P[0], P[1]);
            } else {
                unsigned V = U16(P);
                return TPictureLimits::Pack(Expand5((V >> 10) & 31), Expand5((V >> 5) & 31), Expand5(V & 31),
                                            255);
            }
        case 24:
            return TPictureLimits::Pack(P[2], P[1], P[0], 255);
        default:
            AnyAlpha = AnyAlpha || P[3] != 0;
            return TPictureLimits::Pack(P[2], P[1], P[0], P[3]);
        }
    };

    // Decode in file order, then place rows and columns as the descriptor says.
    std::vector<uint32_t> Pixels(Count);
    if (!Rle) {
        for (size_t I = 0; I < Count; ++I) {
            Pixels[I] = Convert(Data + Pos + I * PixelBytes);
        }
    } else {
        size_t I = 0;
        while (I < Count) {
            if (Pos >= Size) {
                return Fail("file is truncated");
            }
            const unsigned Packet = Data[Pos++];
            const size_t Run = std::min<size_t>((Packet & 0x7F) + 1, Count - I);
            if (Packet & 0x80) {
                if (Size - Pos < PixelBytes) {
                    return Fail("file is truncated");
                }
                const uint32_t Pixel = Convert(Data + Pos);
                Pos += PixelBytes;
                for (size_t K = 0; K < Run; ++K) {
                    Pixels[I++] = Pixel;
                }
            } else {
                if ((Size - Pos) / PixelBytes < Run) {
                    return Fail("file is truncated");
                }
                for (size_t K = 0; K < Run; ++K) {
                    Pixels[I++] = Convert(Data + Pos);
                    Pos += PixelBytes;
                }
            }
        }
    }
    // Many writers leave the alpha of 32-bit pictures at zero; such a picture is opaque.
    if (AlphaInData && !AnyAlpha) {
        for (uint32_t& Pixel : Pixels) {
            Pixel |= 0xFF000000u;
        }
    }

    const bool TopDown = Descriptor & 0x20;
    const bool RightToLeft = Descriptor & 0x10;
    if (TopDown && !RightToLeft) {
        Out.Pixels = std::move(Pixels);
    } else {
        Out.Pixels.resize(Count);
        for (size_t Y = 0; Y < Height; ++Y) {
            const uint32_t* Source = Pixels.data() + Y * Width;
            uint32_t* Target = Out.Pixels.data() + (TopDown ? Y : Height - 1 - Y) * Width;
            for (size_t X = 0; X < Width; ++X) {
                Target[RightToLeft ? Width - 1 - X : X] = Source[X];
            }
        }
    }
    Out.Width = static_cast<int>(Width);
    Out.Height = static_cast<int>(Height);
    return true;
}
