#include "render/TVela2D.h"

#include "render/TVelaDevice.h"
#include "render/TVelaImage.h"

#include <cmath>

TVela2D::TVela2D(TVelaDevice& Device) : Device(Device) {
    Device.Subscribe(this);
    Vertices.reserve(FVertexCache);
    Indices.reserve(FVertexCache);
}

TVela2D::~TVela2D() = default;

void TVela2D::SetVertexCache(int Value) {
    Flush();
    FVertexCache = Value < 4 ? 4 : Value;
    Vertices.reserve(FVertexCache);
    Indices.reserve(FVertexCache);
}

void TVela2D::SetAntialias(bool Value) {
    Flush();
    FAntialias = Value;
}

void TVela2D::SetDithering(bool Value) {
    // The renderer has no dithering switch; the value is kept for the settings screen.
    Flush();
    FDithering = Value;
}

void TVela2D::ResetCounters() {
    FDrawCalls = 0;
    FVerticesDrawn = 0;
}

SDL_BlendMode TVela2D::BlendModeOf(uint32_t Effect) {
    const uint32_t Code = Effect & ~EffectModulate;
    if (Code == EffectBlend)
        return SDL_BLENDMODE_BLEND;
    if (Code == EffectAdd)
        return SDL_BLENDMODE_ADD;
    if (Code == EffectOpaque)
        return SDL_BLENDMODE_NONE;
    static const SDL_BlendFactor Factors[] = {
        SDL_BLENDFACTOR_ZERO,      SDL_BLENDFACTOR_ONE,
        SDL_BLENDFACTOR_SRC_COLOR, SDL_BLENDFACTOR_ONE_MINUS_SRC_COLOR,
        SDL_BLENDFACTOR_SRC_ALPHA, SDL_BLENDFACTOR_ONE_MINUS_SRC_ALPHA,
        SDL_BLENDFACTOR_DST_ALPHA, SDL_BLENDFACTOR_ONE_MINUS_DST_ALPHA,
        SDL_BLENDFACTOR_DST_COLOR, SDL_BLENDFACTOR_ONE_MINUS_DST_COLOR,
        SDL_BLENDFACTOR_SRC_ALPHA, // saturated source alpha has no equivalent; plain source alpha is closest
    };
    static const SDL_BlendOperation Operations[] = {
        SDL_BLENDOPERATION_ADD,     SDL_BLENDOPERATION_REV_SUBTRACT, SDL_BLENDOPERATION_SUBTRACT,
        SDL_BLENDOPERATION_MINIMUM, SDL_BLENDOPERATION_MAXIMUM,
    };
    const uint32_t Source = Code & 0xFF;
    const uint32_t Destination = (Code >> 8) & 0xFF;
    const uint32_t Operation = (Code >> 16) & 0xFF;
    if (Source > 10 || Destination > 10 || Operation > 4)
        return SDL_BLENDMODE_BLEND;
    return SDL_ComposeCustomBlendMode(Factors[Source], Factors[Destination], Operations[Operation],
                                      Factors[Source], Factors[Destination], Operations[Operation]);
}

int TVela2D::Request(TPrimitiveKind Kind, int VertexCount, int IndexCount, uint32_t Effect, TVelaImage* Image,
                     int TextureNumber) {
    if (static_cast<int>(Vertices.size()) + VertexCount > FVertexCache ||
        static_cast<int>(Indices.size()) + IndexCount > FVertexCache ||
        (FPendingKind != pkNone && FPendingKind != Kind))
        FlushBatch();
    if (FCurrentEffect == -1 || FCurrentEffect != static_cast<int64_t>(Effect)) {
        FlushBatch();
        ApplyEffect(Effect);
    }
    if (!TextureBound || Image != CurrentImage || TextureNumber != CurrentTextureNumber) {
        FlushBatch();
        CurrentImage = Image;
        CurrentTextureNumber = TextureNumber;
        TextureBound = true;
    }
    FPendingKind = Kind;
    return static_cast<int>(Vertices.size());
}

void TVela2D::ApplyEffect(uint32_t Effect) {
    FCurrentEffect = Effect;
    CurrentBlendMode = BlendModeOf(Effect);
}

void TVela2D::AddVertex(float X, float Y, uint32_t Colour, float U, float V) {
    SDL_Vertex Vertex;
    Vertex.position = {X, Y};
    Vertex.color = {static_cast<Uint8>(Colour & 0xFF), static_cast<Uint8>((Colour >> 8) & 0xFF),
                    static_cast<Uint8>((Colour >> 16) & 0xFF), static_cast<Uint8>(Colour >> 24)};
    Vertex.tex_coord = {U, V};
    Vertices.push_back(Vertex);
}

void TVela2D::Flush() {
    FlushBatch();
    FCurrentEffect = -1;
    TextureBound = false;
}

void TVela2D::FlushBatch() {
    if (!Vertices.empty() && FPrimitiveCount > 0 && !Lost && Device.Renderer() != nullptr) {
        if (Device.Rasterise && FPendingKind == pkTriangles)
            SubmitTriangles();
        else if (Device.Rasterise)
            SubmitThinPrimitives();
        ++FDrawCalls;
        FVerticesDrawn += static_cast<int>(Vertices.size());
    }
    Vertices.clear();
    Indices.clear();
    FPrimitiveCount = 0;
    FPendingKind = pkNone;
}

void TVela2D::SubmitTriangles() {
    if (DrawSpans(Vertices, Indices))
        return;
    SDL_Renderer* Renderer = Device.Renderer();
    // Asked for only now: on the software renderer SDL's copy of a picture is made when SDL draws it.
    SDL_Texture* Texture = CurrentImage != nullptr ? CurrentImage->Texture(CurrentTextureNumber) : nullptr;
    if (Texture != nullptr) {
        if (SDL_SetTextureBlendMode(Texture, CurrentBlendMode) != 0)
            SDL_SetTextureBlendMode(Texture, SDL_BLENDMODE_BLEND);
        SDL_SetTextureScaleMode(Texture, FAntialias ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
    } else if (SDL_SetRenderDrawBlendMode(Renderer, CurrentBlendMode) != 0) {
        SDL_SetRenderDrawBlendMode(Renderer, SDL_BLENDMODE_BLEND);
    }
    SDL_RenderGeometry(Renderer, Texture, Vertices.data(), static_cast<int>(Vertices.size()), Indices.data(),
                       static_cast<int>(Indices.size()));
}

// Points and lines are drawn as one-pixel quads so that they share the geometry path.
void TVela2D::SubmitThinPrimitives() {
    ScratchVertices.clear();
    ScratchIndices.clear();
    if (FPendingKind == pkLines) {
        for (size_t I = 0; I + 1 < Indices.size(); I += 2)
            ExpandLine(Vertices[Indices[I]], Vertices[Indices[I + 1]]);
    } else {
        for (const SDL_Vertex& Point : Vertices)
            ExpandPoint(Point);
    }
    if (DrawSpans(ScratchVertices, ScratchIndices))
        return;
    SDL_Renderer* Renderer = Device.Renderer();
    if (SDL_SetRenderDrawBlendMode(Renderer, CurrentBlendMode) != 0)
        SDL_SetRenderDrawBlendMode(Renderer, SDL_BLENDMODE_BLEND);
    SDL_RenderGeometry(Renderer, nullptr, ScratchVertices.data(), static_cast<int>(ScratchVertices.size()),
                       ScratchIndices.data(), static_cast<int>(ScratchIndices.size()));
}

bool TVela2D::DrawSpans(const std::vector<SDL_Vertex>& Batch, const std::vector<int>& BatchIndices) {
    if (!SpanRendering || Device.Accelerated())
        return false;
    // Other blend codes are left to SDL, which knows what the renderer makes of them.
    const int64_t Code = FCurrentEffect & ~int64_t(EffectModulate);
    const TSpanBlend Blend = Code == EffectBlend ? sbBlend : Code == EffectAdd ? sbAdd : sbOpaque;
    if (Blend == sbOpaque && Code != EffectOpaque)
        return false;
    const TPicture* Texture = nullptr;
    if (CurrentImage != nullptr) {
        if (CurrentTextureNumber < 0 || CurrentTextureNumber >= CurrentImage->TextureCount())
            return false;
        Texture = &CurrentImage->TexturePicture(CurrentTextureNumber);
        if (Texture->Pixels.empty())
            return false;
    }
    if (!Spans.Begin(Device.Renderer(), Device.SoftwareTarget()))
        return false;
    Spans.DrawTriangles(Batch.data(), BatchIndices.data(), static_cast<int>(BatchIndices.size()), Texture,
                        Blend, FAntialias);
    Spans.End();
    return true;
}

static void AddQuadIndices(std::vector<int>& Indices, int First) {
    for (int Corner : {0, 1, 3, 1, 2, 3})
        Indices.push_back(First + Corner);
}

// A line covers its first pixel and stops short of its last, as the game's outlines expect.
void TVela2D::ExpandLine(const SDL_Vertex& From, const SDL_Vertex& To) {
    const float DX = To.position.x - From.position.x;
    const float DY = To.position.y - From.position.y;
    const float Length = std::sqrt(DX * DX + DY * DY);
    if (Length < 0.0001f)
        return;
    const float UX = DX / Length * 0.5f;
    const float UY = DY / Length * 0.5f;
    // Pixel centres lie half a pixel in from the game's integer coordinates.
    const float StartX = From.position.x + 0.5f - UX;
    const float StartY = From.position.y + 0.5f - UY;
    const float EndX = To.position.x + 0.5f - UX;
    const float EndY = To.position.y + 0.5f - UY;
    const int First = static_cast<int>(ScratchVertices.size());
    SDL_Vertex Corner = From;
    Corner.position = {StartX - UY, StartY + UX};
    ScratchVertices.push_back(Corner);
    Corner.position = {StartX + UY, StartY - UX};
    ScratchVertices.push_back(Corner);
    Corner = To;
    Corner.position = {EndX + UY, EndY - UX};
    ScratchVertices.push_back(Corner);
    Corner.position = {EndX - UY, EndY + UX};
    ScratchVertices.push_back(Corner);
    AddQuadIndices(ScratchIndices, First);
}

void TVela2D::ExpandPoint(const SDL_Vertex& Point) {
    const float X = std::floor(Point.position.x);
    const float Y = std::floor(Point.position.y);
    const int First = static_cast<int>(ScratchVertices.size());
    SDL_Vertex Corner = Point;
    for (SDL_FPoint Position : {SDL_FPoint{X, Y}, {X + 1, Y}, {X + 1, Y + 1}, {X, Y + 1}}) {
        Corner.position = Position;
        ScratchVertices.push_back(Corner);
    }
    AddQuadIndices(ScratchIndices, First);
}

bool TVela2D::Notify(TVelaPublisher*, int Message) {
    switch (Message) {
    case vnInitialize:
    case vnReset:
        Lost = false;
        Flush();
        break;
    case vnLost:
        Lost = true;
        Flush(); // discards: nothing reaches a lost device
        break;
    case vnFinalize:
        Flush();
        break;
    case vnEndScene:
        Flush();
        break;
    default:
        break;
    }
    return true;
}
