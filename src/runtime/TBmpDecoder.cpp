#include "runtime/TBmpDecoder.h"

#include <algorithm>
#include <bit>

#include "runtime/TPictureLimits.h"

namespace {

constexpr uint32_t BiRgb = 0;
constexpr uint32_t BiBitFields = 3;
constexpr uint32_t BiAlphaBitFields = 6;

uint16_t U16(const uint8_t* P) {
    return static_cast<uint16_t>(P[0] | P[1] << 8);
}
uint32_t U32(const uint8_t* P) {
    return static_cast<uint32_t>(P[0]) | static_cast<uint32_t>(P[1]) << 8 |
           static_cast<uint32_t>(P[2]) << 16 | static_cast<uint32_t>(P[3]) << 24;
}

// One colour channel described by a bit mask.
struct TChannel {
    uint32_t Mask = 0;
    int Shift = 0;
    int Bits = 0;

    explicit TChannel(uint32_t M = 0) : Mask(M) {
        if (M != 0) {
            Shift = std::countr_zero(M);
            Bits = std::popcount(M);
        }
    }
    uint8_t Get(uint32_t Value, uint8_t Missing) const {
        if (Mask == 0) {
            return Missing;
        }
        uint32_t V = (Value & Mask) >> Shift;
        if (Bits >= 8) {
            // Holes in an odd mask could make V wider than Bits; keep the top eight bits that exist.
            return static_cast<uint8_t>(V >> (Bits - 8));
        }
        uint32_t Max = (1u << Bits) - 1;
        return static_cast<uint8_t>(std::min<uint32_t>(V, Max) * 255 / Max);
    }
};

} // namespace

bool TBmpDecoder::Decode(const uint8_t* Data, size_t Size, TPicture& Out, std::string* Error) {
    Out = TPicture();
    const auto Fail = [&](const char* Message) {
        TPictureLimits::Fail(Error, std::string("BMP: ") + Message);
        return false;
    };
    if (!Data || Size < 26 || Data[0] != 'B' || Data[1] != 'M') {
        return Fail("not a BMP file");
    }
    const uint32_t PixelOffset = U32(Data + 10);
    const uint32_t HeaderSize = U32(Data + 14);
    if (HeaderSize != 12 && HeaderSize < 40) {
        return Fail("unsupported header");
    }
    if (HeaderSize > Size - 14) {
        return Fail("file is truncated");
    }
    const uint8_t* Header = Data + 14;
    const bool Core = HeaderSize == 12;
    int64_t Width, Height;
    unsigned Planes, BitCount;
    uint32_t Compression = BiRgb, ColoursUsed = 0;
    if (Core) {
        Width = U16(Header + 4);
        Height = U16(Header + 6);
        Planes = U16(Header + 8);
        BitCount = U16(Header + 10);
    } else {
        Width = static_cast<int32_t>(U32(Header + 4));
        Height = static_cast<int32_t>(U32(Header + 8));
        Planes = U16(Header + 12);
        BitCount = U16(Header + 14);
        Compression = U32(Header + 16);
        ColoursUsed = U32(Header + 32);
    }
    const bool TopDown = Height < 0;
    if (TopDown) {
        Height = -Height;
    }
    if (Planes != 1) {
        return Fail("bad plane count");
    }
    if (Width <= 0 ||
        !TPictureLimits::Check(static_cast<uint64_t>(Width), static_cast<uint64_t>(Height), Error)) {
        return Fail("bad picture size");
    }
    if (BitCount != 1 && BitCount != 4 && BitCount != 8 && BitCount != 16 && BitCount != 24 &&
        BitCount != 32) {
        return Fail("unsupported bit depth");
    }
    const bool Masked = Compression == BiBitFields || Compression == BiAlphaBitFields;
    if (Compression != BiRgb && !(Masked && (BitCount == 16 || BitCount == 32))) {
        return Fail("unsupported compression");
    }

    // Bit-field masks: inside a header of 52 bytes or more, else right after the 40-byte header.
    size_t After = 14 + HeaderSize;
    TChannel R, G, B, A;
    if (BitCount == 16) {
        R = TChannel(0x7C00);
        G = TChannel(0x03E0);
        B = TChannel(0x001F);
    } else if (BitCount == 32) {
        R = TChannel(0x00FF0000);
        G = TChannel(0x0000FF00);
        B = TChannel(0x000000FF);
        A = TChannel(0xFF000000);
    }
    if (Masked) {
        const size_t MaskCount = Compression == BiAlphaBitFields ? 4 : 3;
        const uint8_t* Masks = Header + 40;
        if (HeaderSize < 40 + 4 * MaskCount) {
            if (After + 4 * MaskCount > Size) {
                return Fail("file is truncated");
            }
            Masks = Data + After;
            After += 4 * MaskCount;
        }
        R = TChannel(U32(Masks));
        G = TChannel(U32(Masks + 4));
        B = TChannel(U32(Masks + 8));
        if (MaskCount == 4 || HeaderSize >= 56) {
            A = TChannel(U32(Masks + 12));
        } else {
            A = TChannel();
        }
    }

    uint32_t Palette[256];
    for (uint32_t& Entry : Palette) {
        Entry = TPictureLimits::Pack(0, 0, 0, 255);
    }
    if (BitCount <= 8) {
        const uint32_t Max = 1u << BitCount;
        uint32_t Count = ColoursUsed == 0 || ColoursUsed > Max ? Max : ColoursUsed;
        const size_t EntrySize = Core ? 3 : 4;
        // Some writers claim more entries than fit before the pixels; take what is there.
        if (After > Size || (Size - After) / EntrySize < Count) {
            Count = static_cast<uint32_t>(After > Size ? 0 : (Size - After) / EntrySize);
        }
        for (uint32_t I = 0; I < Count; ++I) {
            const uint8_t* P = Data + After + I * EntrySize;
            Palette[I] = TPictureLimits::Pack(P[2], P[1], P[0], 255);
        }
    }

    const uint64_t Stride = (static_cast<uint64_t>(Width) * BitCount + 31) / 32 * 4;
    const uint64_t RowBytes = (static_cast<uint64_t>(Width) * BitCount + 7) / 8;
    if (PixelOffset > Size || (Size - PixelOffset) < Stride * static_cast<uint64_t>(Height - 1) + RowBytes) {
        return Fail("file is truncated");
    }

    const size_t W = static_cast<size_t>(Width);
    const size_t H = static_cast<size_t>(Height);
    Out.Pixels.resize(W * H);
    bool AnyAlpha = false;
    for (size_t Row = 0; Row < H; ++Row) {
        const uint8_t* Source = Data + PixelOffset + Row * Stride;
        uint32_t* Target = Out.Pixels.data() + (TopDown ? Row : H - 1 - Row) * W;
        for (size_t X = 0; X < W; ++X) {
            switch (BitCount) {
            case 1:
                Target[X] = Palette[(Source[X / 8] >> (7 - X % 8)) & 1];
                break;
            case 4:
                Target[X] = Palette[(Source[X / 2] >> (X % 2 ? 0 : 4)) & 15];
                break;
            case 8:
                Target[X] = Palette[Source[X]];
                break;
            case 24: {
                const uint8_t* P = Source + X * 3;
                Target[X] = TPictureLimits::Pack(P[2], P[1], P[0], 255);
                break;
            }
            default: {
                uint32_t Value = BitCount == 16 ? U16(Source + X * 2) : U32(Source + X * 4);
                uint8_t Alpha = A.Get(Value, 255);
                AnyAlpha = AnyAlpha || (A.Mask != 0 && Alpha != 0);
                Target[X] = TPictureLimits::Pack(R.Get(Value, 0), G.Get(Value, 0), B.Get(Value, 0), Alpha);
                break;
            }
            }
        }
    }
    // An alpha channel that is zero everywhere was never meant as one.
    if (A.Mask != 0 && !AnyAlpha) {
        for (uint32_t& Pixel : Out.Pixels) {
            Pixel |= 0xFF000000u;
        }
    }
    Out.Width = static_cast<int>(W);
    Out.Height = static_cast<int>(H);
    return true;
}
