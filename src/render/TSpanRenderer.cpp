#include "render/TSpanRenderer.h"

#include "runtime/TPicture.h"

#include <algorithm>
#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Corners are snapped to 1/256 pixel; texel coordinates and colours step in 16.16 fixed point.
constexpr int SubBits = 8;
constexpr int64_t One = int64_t(1) << SubBits;
constexpr int64_t Half = One / 2;
constexpr int64_t TexelCentre = 0x8000;
constexpr double FarAway = 1e6;
// Spans are drawn in pieces that fit the stack: sampled, shaded, then blended.
constexpr int Piece = 64;

enum TSampling { smNone, smNearest, smLinear, smCopy };
enum TTint { tnWhite, tnUniform, tnGradient };

int64_t FloorDiv(int64_t A, int64_t B) {
    return A >= 0 ? A / B : -((-A + B - 1) / B);
}

int64_t CeilDiv(int64_t A, int64_t B) {
    return -FloorDiv(-A, B);
}

// Rounded half away from zero, without a library call in the inner loops.
int64_t Round(double Value) {
    return static_cast<int64_t>(Value < 0 ? Value - 0.5 : Value + 0.5);
}

// One side of a triangle turned so that its inside lies to the right on screen. A pixel centre is
// inside where the edge function DX * (Py - Y) - DY * (Px - X) reaches Bias: 0 on top and left edges,
// 1 elsewhere, so a centre on an edge two triangles share is drawn once. Row by row the edge bounds the
// span on one side; the bound is an exact floor division, stepped down the rows without dividing again.
class TEdge {
  public:
    TEdge() = default;
    TEdge(int64_t FromX, int64_t FromY, int64_t ToX, int64_t ToY, int64_t CentreY) : DY(ToY - FromY) {
        const int64_t DX = ToX - FromX;
        const int64_t Bias = DY < 0 || (DY == 0 && DX > 0) ? 0 : 1;
        Limit = DX * (CentreY - FromY) - Bias;
        LimitStep = DX * One;
        if (DY == 0)
            return;
        // Pixel x is inside while DY * (One * x + Half - FromX) <= Limit.
        Divisor = std::abs(DY) * One;
        const int64_t Numerator = Limit + DY * (FromX - Half);
        Quotient = FloorDiv(Numerator, Divisor);
        Remainder = Numerator - Quotient * Divisor;
        StepQuotient = FloorDiv(LimitStep, Divisor);
        StepRemainder = LimitStep - StepQuotient * Divisor;
    }

    // Narrows [Left, Right) to the pixels of the current row that lie inside.
    void Narrow(int& Left, int& Right) const {
        if (DY == 0) {
            if (Limit < 0)
                Right = Left;
        } else if (DY > 0) {
            Right = static_cast<int>(std::min<int64_t>(Right, Quotient + 1));
        } else {
            Left = static_cast<int>(std::max<int64_t>(Left, -Quotient));
        }
    }

    void NextRow() {
        Limit += LimitStep;
        Quotient += StepQuotient;
        Remainder += StepRemainder;
        if (Remainder >= Divisor) {
            Remainder -= Divisor;
            ++Quotient;
        }
    }

  private:
    int64_t DY = 0;
    int64_t Limit = 0, LimitStep = 0;
    int64_t Divisor = 1, Quotient = 0, Remainder = 0, StepQuotient = 0, StepRemainder = 0;
};

// A vertex attribute as a plane over the screen, kept in 40.24 fixed point so that stepping to any
// pixel of the target loses nothing that shows.
class TPlane {
  public:
    TPlane() = default;
    TPlane(const double X[3], const double Y[3], const double Value[3]) {
        const double Area = (X[1] - X[0]) * (Y[2] - Y[0]) - (X[2] - X[0]) * (Y[1] - Y[0]);
        // Slivers make planes run wild; far beyond any texture they are clamped.
        auto Bounded = [](double Step) { return std::clamp(Step, -65536.0, 65536.0); };
        const double DX =
            Bounded(((Value[1] - Value[0]) * (Y[2] - Y[0]) - (Value[2] - Value[0]) * (Y[1] - Y[0])) / Area);
        const double DY =
            Bounded(((Value[2] - Value[0]) * (X[1] - X[0]) - (Value[1] - Value[0]) * (X[2] - X[0])) / Area);
        const double AtFirstCentre = Value[0] + DX * (0.5 - X[0]) + DY * (0.5 - Y[0]);
        Base = Round(std::clamp(AtFirstCentre, -1e6, 1e6) * Scale);
        StepX = Round(DX * Scale);
        StepY = Round(DY * Scale);
    }

    // 16.16 at the centre of pixel (X, Y), and its step from pixel to pixel along a row.
    int64_t FixedAt(int X, int Y) const { return (Base + StepX * X + StepY * Y) >> 8; }
    int64_t FixedStep() const { return (StepX + 128) >> 8; }

  private:
    static constexpr double Scale = 16777216.0;
    int64_t Base = 0, StepX = 0, StepY = 0;
};

// One row of a triangle: where it goes, what it samples and how its samples move from pixel to pixel.
struct TSpan {
    uint32_t* Target = nullptr;
    int Count = 0;
    TSampling Sampling = smNone;
    TTint Tinting = tnWhite;
    TSpanBlend Blend = sbBlend;
    const uint32_t* Texels = nullptr;
    int Width = 0, Height = 0;
    int64_t S = 0, T = 0, DS = 0, DT = 0;
    uint32_t Tint = 0xFFFFFFFFu;
    int64_t Colour[4] = {}, DColour[4] = {};
};

int Clamp(int64_t Value, int Size) {
    return static_cast<int>(std::clamp<int64_t>(Value, 0, Size - 1));
}

#if defined(__SSE2__)

// Pixels widened to 16 bits a channel, two in each half.
struct TWide {
    __m128i Low, High;
};

TWide Widen(__m128i Pixels) {
    const __m128i Zero = _mm_setzero_si128();
    return {_mm_unpacklo_epi8(Pixels, Zero), _mm_unpackhi_epi8(Pixels, Zero)};
}

__m128i Narrow(TWide Wide) {
    return _mm_packus_epi16(Wide.Low, Wide.High);
}

__m128i Load(const uint32_t* Pixels) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(Pixels));
}

// Products of 8-bit values divided by 255, rounded down like the scalar path.
__m128i Multiply(__m128i A, __m128i B) {
    const __m128i Product = _mm_mullo_epi16(A, B);
    return _mm_srli_epi16(
        _mm_add_epi16(_mm_add_epi16(Product, _mm_set1_epi16(1)), _mm_srli_epi16(Product, 8)), 8);
}

TWide Multiply(TWide A, TWide B) {
    return {Multiply(A.Low, B.Low), Multiply(A.High, B.High)};
}

template <int Order> __m128i Shuffle(__m128i Wide) {
    return _mm_shufflehi_epi16(_mm_shufflelo_epi16(Wide, Order), Order);
}

template <int Order> TWide Shuffle(TWide Wide) {
    return {Shuffle<Order>(Wide.Low), Shuffle<Order>(Wide.High)};
}

TWide Select(__m128i Mask, TWide Chosen, TWide Other) {
    return {_mm_or_si128(_mm_and_si128(Mask, Chosen.Low), _mm_andnot_si128(Mask, Other.Low)),
            _mm_or_si128(_mm_and_si128(Mask, Chosen.High), _mm_andnot_si128(Mask, Other.High))};
}

template <bool Texels, TTint Tinting> TWide ShadeFour(__m128i Pixels, uint32_t Tint, const uint32_t* Tints) {
    TWide Wide = Widen(Pixels);
    if constexpr (Texels)
        Wide = Shuffle<_MM_SHUFFLE(3, 0, 1, 2)>(Wide);
    if constexpr (Tinting == tnUniform)
        Wide = Multiply(Wide, Widen(_mm_set1_epi32(static_cast<int>(Tint))));
    else if constexpr (Tinting == tnGradient)
        Wide = Multiply(Wide, Widen(Load(Tints)));
    return Wide;
}

template <TSpanBlend Blend> __m128i PutFour(__m128i Target, TWide Source) {
    if constexpr (Blend == sbOpaque)
        return Narrow(Source);
    const __m128i AlphaLanes = _mm_set_epi16(-1, 0, 0, 0, -1, 0, 0, 0);
    const TWide Alpha = Shuffle<_MM_SHUFFLE(3, 3, 3, 3)>(Source);
    const __m128i Max = _mm_set1_epi16(255);
    if constexpr (Blend == sbAdd) {
        const TWide Colour = {_mm_andnot_si128(AlphaLanes, Max), _mm_andnot_si128(AlphaLanes, Max)};
        const TWide Factor = {_mm_and_si128(Alpha.Low, Colour.Low), _mm_and_si128(Alpha.High, Colour.High)};
        return _mm_adds_epu8(Target, Narrow(Multiply(Source, Factor)));
    } else {
        // The source's own alpha is taken whole; the target keeps 255 - alpha of every channel.
        const TWide Full = {Max, Max};
        const TWide Premultiplied = Multiply(Source, Select(AlphaLanes, Full, Alpha));
        const TWide Kept =
            Multiply(Widen(Target), {_mm_sub_epi16(Max, Alpha.Low), _mm_sub_epi16(Max, Alpha.High)});
        return Narrow(
            {_mm_add_epi16(Premultiplied.Low, Kept.Low), _mm_add_epi16(Premultiplied.High, Kept.High)});
    }
}

bool AllClear(__m128i Pixels) {
    const __m128i Alpha = _mm_and_si128(Pixels, _mm_set1_epi32(static_cast<int>(0xFF000000u)));
    return _mm_movemask_epi8(_mm_cmpeq_epi32(Alpha, _mm_setzero_si128())) == 0xFFFF;
}

// The four texels around a sample point weighed together, in 1/256 steps.
uint32_t Bilinear(const uint32_t* Upper, const uint32_t* Lower, int Left, int Right, uint32_t WeightX,
                  uint32_t WeightY) {
    auto Pair = [](const uint32_t* Row, int First, int Second) {
        return _mm_unpacklo_epi8(_mm_unpacklo_epi32(_mm_cvtsi32_si128(static_cast<int>(Row[First])),
                                                    _mm_cvtsi32_si128(static_cast<int>(Row[Second]))),
                                 _mm_setzero_si128());
    };
    const __m128i Down = _mm_set1_epi16(static_cast<short>(WeightY));
    const __m128i Up = _mm_sub_epi16(_mm_set1_epi16(256), Down);
    const __m128i Vertical = _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(Pair(Upper, Left, Right), Up),
                                                          _mm_mullo_epi16(Pair(Lower, Left, Right), Down)),
                                            8);
    const __m128i Across = _mm_unpacklo_epi64(_mm_set1_epi16(static_cast<short>(256 - WeightX)),
                                              _mm_set1_epi16(static_cast<short>(WeightX)));
    const __m128i Weighed = _mm_mullo_epi16(Vertical, Across);
    const __m128i Horizontal = _mm_srli_epi16(_mm_add_epi16(Weighed, _mm_srli_si128(Weighed, 8)), 8);
    return static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(Horizontal, Horizontal)));
}

// A piece of a span put down on the target four pixels at a time, the last few through a padded copy.
template <TSpanBlend Blend, bool Texels, TTint Tinting>
void PutRow(uint32_t* Target, const uint32_t* Source, uint32_t Tint, const uint32_t* Tints, int Count) {
    auto PutFourAt = [&](uint32_t* To, const uint32_t* From, const uint32_t* Colours) {
        const __m128i Four = Load(From);
        // Modulation only lowers alpha: clear texels stay clear.
        if (Blend == sbOpaque || !AllClear(Four))
            _mm_storeu_si128(reinterpret_cast<__m128i*>(To),
                             PutFour<Blend>(Load(To), ShadeFour<Texels, Tinting>(Four, Tint, Colours)));
    };
    int I = 0;
    for (; I + 4 <= Count; I += 4)
        PutFourAt(Target + I, Source + I, Tints + I);
    if (I == Count)
        return;
    const int Rest = Count - I;
    uint32_t To[4] = {}, From[4] = {}, Colours[4] = {};
    for (int K = 0; K < Rest; ++K) {
        To[K] = Target[I + K];
        From[K] = Source[I + K];
        Colours[K] = Tinting == tnGradient ? Tints[I + K] : 0;
    }
    PutFourAt(To, From, Colours);
    for (int K = 0; K < Rest; ++K)
        Target[I + K] = To[K];
}

#else

// Two 16-bit halves divided by 255 at once, rounded down as SDL's blitters do.
uint32_t Div255Pair(uint32_t Pair) {
    return ((Pair + 0x00010001u + ((Pair >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
}

uint32_t SwapRedBlue(uint32_t Pixel) {
    return (Pixel & 0xFF00FF00u) | ((Pixel & 0xFF) << 16) | ((Pixel >> 16) & 0xFF);
}

uint32_t Modulate(uint32_t Pixel, uint32_t Tint) {
    const uint32_t RedBlue =
        ((Pixel >> 16 & 0xFF) * (Tint >> 16 & 0xFF)) << 16 | (Pixel & 0xFF) * (Tint & 0xFF);
    const uint32_t AlphaGreen =
        ((Pixel >> 24) * (Tint >> 24)) << 16 | (Pixel >> 8 & 0xFF) * (Tint >> 8 & 0xFF);
    return Div255Pair(RedBlue) | Div255Pair(AlphaGreen) << 8;
}

// The colour a source pixel puts down: texels turned from the texture's byte order to the target's, then
// modulated by one colour or by a colour each.
template <bool Texels, TTint Tinting>
uint32_t Shade(uint32_t Pixel, uint32_t Tint, const uint32_t* Tints, int I) {
    if constexpr (Texels)
        Pixel = SwapRedBlue(Pixel);
    if constexpr (Tinting == tnUniform)
        Pixel = Modulate(Pixel, Tint);
    else if constexpr (Tinting == tnGradient)
        Pixel = Modulate(Pixel, Tints[I]);
    return Pixel;
}

// SDL's arithmetic: colour premultiplied by alpha when blending or adding; blending keeps 255 - alpha
// of the target, alpha included; adding saturates and leaves the target's alpha.
template <TSpanBlend Blend> void Put(uint32_t& Target, uint32_t Source) {
    const uint32_t Alpha = Source >> 24;
    if constexpr (Blend == sbOpaque) {
        Target = Source;
    } else if constexpr (Blend == sbBlend) {
        const uint32_t Keep = 255 - Alpha;
        const uint32_t RedBlue =
            Div255Pair((Source & 0x00FF00FFu) * Alpha) + Div255Pair((Target & 0x00FF00FFu) * Keep);
        const uint32_t AlphaGreen = (Alpha << 16 | Div255Pair((Source >> 8 & 0xFF) * Alpha)) +
                                    Div255Pair((Target >> 8 & 0x00FF00FFu) * Keep);
        Target = RedBlue | AlphaGreen << 8;
    } else {
        uint32_t RedBlue = Div255Pair((Source & 0x00FF00FFu) * Alpha) + (Target & 0x00FF00FFu);
        const uint32_t Green = Div255Pair((Source >> 8 & 0xFF) * Alpha) + (Target >> 8 & 0xFF);
        const uint32_t Over = RedBlue & 0x01000100u;
        RedBlue = (RedBlue | (Over - (Over >> 8))) & 0x00FF00FFu;
        Target = (Target & 0xFF000000u) | RedBlue | std::min<uint32_t>(Green, 255) << 8;
    }
}

template <TSpanBlend Blend, bool Texels, TTint Tinting>
void PutRow(uint32_t* Target, const uint32_t* Source, uint32_t Tint, const uint32_t* Tints, int Count) {
    for (int I = 0; I < Count; ++I)
        Put<Blend>(Target[I], Shade<Texels, Tinting>(Source[I], Tint, Tints, I));
}

// Weight in 0..255 of Next against Pixel, on all four channels.
uint32_t Lerp(uint32_t Pixel, uint32_t Next, uint32_t Weight) {
    const uint32_t Keep = 256 - Weight;
    const uint32_t RedBlue =
        ((Pixel & 0x00FF00FFu) * Keep + (Next & 0x00FF00FFu) * Weight) >> 8 & 0x00FF00FFu;
    const uint32_t AlphaGreen =
        ((Pixel >> 8 & 0x00FF00FFu) * Keep + (Next >> 8 & 0x00FF00FFu) * Weight) & 0xFF00FF00u;
    return RedBlue | AlphaGreen;
}

uint32_t Bilinear(const uint32_t* Upper, const uint32_t* Lower, int Left, int Right, uint32_t WeightX,
                  uint32_t WeightY) {
    return Lerp(Lerp(Upper[Left], Lower[Left], WeightY), Lerp(Upper[Right], Lower[Right], WeightY), WeightX);
}

#endif

using TPutRow = void (*)(uint32_t*, const uint32_t*, uint32_t, const uint32_t*, int);

template <TSpanBlend Blend> TPutRow PickPutRow(bool Texels, TTint Tinting) {
    if (!Texels)
        return PutRow<Blend, false, tnWhite>;
    switch (Tinting) {
    case tnWhite:
        return PutRow<Blend, true, tnWhite>;
    case tnUniform:
        return PutRow<Blend, true, tnUniform>;
    default:
        return PutRow<Blend, true, tnGradient>;
    }
}

TPutRow PickPutRow(TSpanBlend Blend, bool Texels, TTint Tinting) {
    switch (Blend) {
    case sbOpaque:
        return PickPutRow<sbOpaque>(Texels, Tinting);
    case sbBlend:
        return PickPutRow<sbBlend>(Texels, Tinting);
    default:
        return PickPutRow<sbAdd>(Texels, Tinting);
    }
}

void SampleNearest(TSpan& Span, uint32_t* Out, int Count) {
    const uint32_t* Texels = Span.Texels;
    const int Width = Span.Width;
    const int Height = Span.Height;
    int64_t S = Span.S;
    int64_t T = Span.T;
    for (int I = 0; I < Count; ++I, S += Span.DS, T += Span.DT)
        Out[I] = Texels[Clamp(T >> 16, Height) * Width + Clamp(S >> 16, Width)];
    Span.S = S;
    Span.T = T;
}

// Whether every sample of the next Count pixels has its four texels inside the texture.
bool LinearInside(const TSpan& Span, int Count) {
    const int64_t LastS = Span.S + Span.DS * (Count - 1) - TexelCentre;
    const int64_t LastT = Span.T + Span.DT * (Count - 1) - TexelCentre;
    const int64_t FirstS = Span.S - TexelCentre;
    const int64_t FirstT = Span.T - TexelCentre;
    return std::min(FirstS, LastS) >= 0 && std::max(FirstS, LastS) < int64_t(Span.Width - 1) << 16 &&
           std::min(FirstT, LastT) >= 0 && std::max(FirstT, LastT) < int64_t(Span.Height - 1) << 16;
}

// Four texels around each sample point; at the texture's edge the edge texels stand in for those beyond.
template <bool Inside> void SampleLinear(TSpan& Span, uint32_t* Out, int Count) {
    const uint32_t* Texels = Span.Texels;
    const int Width = Span.Width;
    const int Height = Span.Height;
    int64_t S = Span.S - TexelCentre;
    int64_t T = Span.T - TexelCentre;
    for (int I = 0; I < Count; ++I, S += Span.DS, T += Span.DT) {
        int Left = static_cast<int>(S >> 16), Right = Left + 1;
        int Top = static_cast<int>(T >> 16), Bottom = Top + 1;
        if constexpr (!Inside) {
            Left = Clamp(S >> 16, Width);
            Right = Clamp((S >> 16) + 1, Width);
            Top = Clamp(T >> 16, Height);
            Bottom = Clamp((T >> 16) + 1, Height);
        }
        Out[I] = Bilinear(Texels + Top * Width, Texels + Bottom * Width, Left, Right,
                          static_cast<uint32_t>(S >> 8) & 0xFF, static_cast<uint32_t>(T >> 8) & 0xFF);
    }
    Span.S = S + TexelCentre;
    Span.T = T + TexelCentre;
}

void Gradient(TSpan& Span, uint32_t* Out, int Count) {
    for (int I = 0; I < Count; ++I) {
        uint32_t Packed = 0;
        for (int Channel = 0; Channel < 4; ++Channel) {
            Packed =
                Packed << 8 | static_cast<uint32_t>(std::clamp<int64_t>(Span.Colour[Channel] >> 16, 0, 255));
            Span.Colour[Channel] += Span.DColour[Channel];
        }
        Out[I] = Packed;
    }
}

// A piece of a span: its samples and colours worked out, then put down on the target.
void DrawPiece(TSpan& Span, uint32_t* Target, int Count) {
    uint32_t Tints[Piece];
    uint32_t Samples[Piece];
    const uint32_t* Source = Samples;
    if (Span.Tinting == tnGradient)
        Gradient(Span, Tints, Count);
    switch (Span.Sampling) {
    case smNone:
        if (Span.Tinting == tnGradient)
            Source = Tints;
        else
            std::fill(Samples, Samples + Count, Span.Tint);
        break;
    case smCopy:
        Source = Span.Texels + (Span.T >> 16) * Span.Width + (Span.S >> 16);
        Span.S += Span.DS * Count;
        break;
    case smNearest:
        SampleNearest(Span, Samples, Count);
        break;
    default:
        if (LinearInside(Span, Count))
            SampleLinear<true>(Span, Samples, Count);
        else
            SampleLinear<false>(Span, Samples, Count);
        break;
    }
    const bool Texels = Span.Sampling != smNone;
    PickPutRow(Span.Blend, Texels, Texels ? Span.Tinting : tnWhite)(Target, Source, Span.Tint, Tints, Count);
}

void DrawSpan(TSpan& Span) {
    for (int Done = 0; Done < Span.Count; Done += Piece)
        DrawPiece(Span, Span.Target + Done, std::min(Piece, Span.Count - Done));
}

void Prefetch(const uint8_t* From, int Bytes) {
#if defined(__SSE2__)
    constexpr int Line = 64;
    for (int Offset = 0; Offset < Bytes + Line; Offset += Line)
        _mm_prefetch(reinterpret_cast<const char*>(From + Offset), _MM_HINT_T0);
#else
    (void)From;
    (void)Bytes;
#endif
}

// A corner snapped to the grid the edges are worked out on.
struct TPoint {
    int64_t X = 0, Y = 0;
};

bool Snap(const SDL_Vertex& Vertex, TPoint& Point) {
    const SDL_FPoint Position = Vertex.position;
    if (!(std::fabs(Position.x) < FarAway && std::fabs(Position.y) < FarAway))
        return false;
    Point = {Round(static_cast<double>(Position.x) * One), Round(static_cast<double>(Position.y) * One)};
    return true;
}

// Positive when the corners run clockwise on screen.
int64_t TwiceArea(const TPoint* Points, int Count) {
    int64_t Area = 0;
    for (int I = 0; I < Count; ++I) {
        const TPoint& Next = Points[(I + 1) % Count];
        Area += Points[I].X * Next.Y - Next.X * Points[I].Y;
    }
    return Area;
}

// Corners, texture coordinates and colours that all go along one plane: the quad is then exactly its
// two triangles together.
bool IsParallelogram(const SDL_Vertex* const Quad[4]) {
    TPoint Points[4];
    for (int I = 0; I < 4; ++I)
        if (!Snap(*Quad[I], Points[I]))
            return false;
    if (Points[0].X + Points[2].X != Points[1].X + Points[3].X ||
        Points[0].Y + Points[2].Y != Points[1].Y + Points[3].Y)
        return false;
    constexpr float Slack = 1e-6f;
    if (std::fabs(Quad[0]->tex_coord.x + Quad[2]->tex_coord.x - Quad[1]->tex_coord.x - Quad[3]->tex_coord.x) >
            Slack ||
        std::fabs(Quad[0]->tex_coord.y + Quad[2]->tex_coord.y - Quad[1]->tex_coord.y - Quad[3]->tex_coord.y) >
            Slack)
        return false;
    auto Affine = [&](Uint8 SDL_Color::*Channel) {
        return Quad[0]->color.*Channel + Quad[2]->color.*Channel ==
               Quad[1]->color.*Channel + Quad[3]->color.*Channel;
    };
    return Affine(&SDL_Color::r) && Affine(&SDL_Color::g) && Affine(&SDL_Color::b) && Affine(&SDL_Color::a);
}

uint32_t PackedColour(const SDL_Color& Colour) {
    return uint32_t(Colour.a) << 24 | uint32_t(Colour.r) << 16 | uint32_t(Colour.g) << 8 | Colour.b;
}

// A row whose texels are the very next ones along the texture, each sampled at its centre: a straight
// copy gives the same pixels without sampling each.
bool CopiesTexels(const TSpan& Span, bool Linear) {
    if (Span.DS != 65536 || Span.DT != 0)
        return false;
    // Linear sampling off the centres would mix neighbours; allow a sliver of rounding.
    constexpr int64_t Slack = 0x100;
    if (Linear && (std::abs((Span.S & 0xFFFF) - TexelCentre) > Slack ||
                   std::abs((Span.T & 0xFFFF) - TexelCentre) > Slack))
        return false;
    const int64_t First = Span.S >> 16;
    const int64_t Row = Span.T >> 16;
    return First >= 0 && First + Span.Count <= Span.Width && Row >= 0 && Row < Span.Height;
}

} // namespace

bool TSpanRenderer::Begin(SDL_Renderer* Renderer, SDL_Surface* Target) {
    if (Renderer == nullptr || Target == nullptr || SDL_GetRenderTarget(Renderer) != nullptr ||
        SDL_RenderIsClipEnabled(Renderer))
        return false;
    const SDL_PixelFormat* Format = Target->format;
    if (Format->BytesPerPixel != 4 || Format->Rmask != 0x00FF0000u || Format->Gmask != 0x0000FF00u ||
        Format->Bmask != 0x000000FFu)
        return false;
    float ScaleX = 0, ScaleY = 0;
    SDL_RenderGetScale(Renderer, &ScaleX, &ScaleY);
    SDL_Rect Viewport;
    SDL_RenderGetViewport(Renderer, &Viewport);
    if (ScaleX != 1.0f || ScaleY != 1.0f || Viewport.x != 0 || Viewport.y != 0 || Viewport.w != Target->w ||
        Viewport.h != Target->h)
        return false;
    if (SDL_RenderFlush(Renderer) != 0)
        return false;
    if (SDL_MUSTLOCK(Target)) {
        if (SDL_LockSurface(Target) != 0)
            return false;
        Locked = true;
    }
    Surface = Target;
    return true;
}

void TSpanRenderer::End() {
    if (Locked)
        SDL_UnlockSurface(Surface);
    Locked = false;
    Surface = nullptr;
}

void TSpanRenderer::DrawTriangles(const SDL_Vertex* Vertices, const int* Indices, int IndexCount,
                                  const TPicture* Texture, TSpanBlend Blend, bool Linear) {
    for (int I = 0; I + 2 < IndexCount;) {
        // The canvas sends each quad as the triangles 0-1-3 and 1-2-3; a parallelogram, which every
        // sprite is, is drawn whole, one span a row instead of two.
        if (I + 5 < IndexCount && Indices[I + 3] == Indices[I + 1] && Indices[I + 5] == Indices[I + 2]) {
            const SDL_Vertex* Quad[4] = {&Vertices[Indices[I]], &Vertices[Indices[I + 1]],
                                         &Vertices[Indices[I + 4]], &Vertices[Indices[I + 2]]};
            if (IsParallelogram(Quad)) {
                DrawPolygon(Quad, 4, Texture, Blend, Linear);
                I += 6;
                continue;
            }
        }
        const SDL_Vertex* Corners[3] = {&Vertices[Indices[I]], &Vertices[Indices[I + 1]],
                                        &Vertices[Indices[I + 2]]};
        DrawPolygon(Corners, 3, Texture, Blend, Linear);
        I += 3;
    }
}

void TSpanRenderer::DrawPolygon(const SDL_Vertex** Corners, int Count, const TPicture* Texture,
                                TSpanBlend Blend, bool Linear) {
    TPoint Points[4];
    for (int I = 0; I < Count; ++I)
        if (!Snap(*Corners[I], Points[I]))
            return;
    const int64_t Area = TwiceArea(Points, Count);
    if (Area == 0)
        return;
    const SDL_Vertex* Turned[4];
    std::copy_n(Corners, Count, Turned);
    if (Area < 0) {
        std::reverse(Points, Points + Count);
        std::reverse(Turned, Turned + Count);
    }
    int64_t Top = Points[0].Y, Bottom = Points[0].Y;
    for (int I = 1; I < Count; ++I) {
        Top = std::min(Top, Points[I].Y);
        Bottom = std::max(Bottom, Points[I].Y);
    }
    const int FirstRow = static_cast<int>(std::max<int64_t>(CeilDiv(Top - Half, One), 0));
    const int LastRow = static_cast<int>(std::min<int64_t>(FloorDiv(Bottom - Half, One), Surface->h - 1));
    if (FirstRow > LastRow)
        return;

    // Every attribute is one plane over the polygon: three corners fix it.
    double PixelX[3], PixelY[3];
    for (int I = 0; I < 3; ++I) {
        PixelX[I] = static_cast<double>(Points[I].X) / One;
        PixelY[I] = static_cast<double>(Points[I].Y) / One;
    }
    const uint32_t Colours[3] = {PackedColour(Turned[0]->color), PackedColour(Turned[1]->color),
                                 PackedColour(Turned[2]->color)};
    TSpan Span;
    Span.Blend = Blend;
    Span.Tint = Colours[0];
    bool Uniform = true;
    for (int I = 1; I < Count; ++I)
        Uniform = Uniform && PackedColour(Turned[I]->color) == Colours[0];
    Span.Tinting = !Uniform ? tnGradient : Colours[0] == 0xFFFFFFFFu ? tnWhite : tnUniform;
    TPlane ColourPlanes[4];
    if (Span.Tinting == tnGradient)
        for (int Channel = 0; Channel < 4; ++Channel) {
            double Values[3];
            for (int I = 0; I < 3; ++I)
                Values[I] = (Colours[I] >> (24 - 8 * Channel)) & 0xFF;
            ColourPlanes[Channel] = TPlane(PixelX, PixelY, Values);
            Span.DColour[Channel] = ColourPlanes[Channel].FixedStep();
        }
    TPlane S, T;
    if (Texture != nullptr) {
        double Us[3], Vs[3];
        for (int I = 0; I < 3; ++I) {
            Us[I] = static_cast<double>(Turned[I]->tex_coord.x) * Texture->Width;
            Vs[I] = static_cast<double>(Turned[I]->tex_coord.y) * Texture->Height;
        }
        S = TPlane(PixelX, PixelY, Us);
        T = TPlane(PixelX, PixelY, Vs);
        Span.Texels = Texture->Pixels.data();
        Span.Width = Texture->Width;
        Span.Height = Texture->Height;
        Span.DS = S.FixedStep();
        Span.DT = T.FixedStep();
    }
    const TSampling Sampling = Texture == nullptr ? smNone : Linear ? smLinear : smNearest;

    const int64_t CentreY = (int64_t(FirstRow) << SubBits) + Half;
    TEdge Edges[4];
    for (int I = 0; I < Count; ++I) {
        const TPoint& To = Points[(I + 1) % Count];
        Edges[I] = TEdge(Points[I].X, Points[I].Y, To.X, To.Y, CentreY);
    }
    auto* Pixels = static_cast<uint8_t*>(Surface->pixels);
    for (int Row = FirstRow; Row <= LastRow; ++Row) {
        int Left = 0;
        int Right = Surface->w;
        for (int I = 0; I < Count; ++I) {
            Edges[I].Narrow(Left, Right);
            Edges[I].NextRow();
        }
        if (Left >= Right)
            continue;
        Span.Target =
            reinterpret_cast<uint32_t*>(Pixels + static_cast<ptrdiff_t>(Row) * Surface->pitch) + Left;
        // Sprites land anywhere on the target: fetch the next row's pixels while this one is drawn.
        if (Row < LastRow)
            Prefetch(reinterpret_cast<const uint8_t*>(Span.Target) + Surface->pitch, (Right - Left) * 4);
        Span.Count = Right - Left;
        Span.Sampling = Sampling;
        if (Texture != nullptr) {
            Span.S = S.FixedAt(Left, Row);
            Span.T = T.FixedAt(Left, Row);
            if (CopiesTexels(Span, Linear))
                Span.Sampling = smCopy;
        }
        if (Span.Tinting == tnGradient)
            for (int Channel = 0; Channel < 4; ++Channel)
                Span.Colour[Channel] = ColourPlanes[Channel].FixedAt(Left, Row);
        DrawSpan(Span);
    }
}
