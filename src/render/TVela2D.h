#pragma once

#include "render/TSpanRenderer.h"
#include "render/TVelaPublisher.h"

#include <SDL.h>

#include <cstdint>
#include <vector>

class TVelaDevice;
class TVelaImage;

enum TPrimitiveKind { pkNone, pkPoints, pkLines, pkTriangles };

// Drawing-effect codes: source factor, destination factor and operation in bytes 0, 1 and 2.
constexpr uint32_t EffectBlend = 0x504;
constexpr uint32_t EffectAdd = 0x104;
constexpr uint32_t EffectOpaque = 0x1;
// Set by the canvas on quads that are not plain white: texture colour is then modulated.
constexpr uint32_t EffectModulate = 0x10000000;

// The batch behind the canvas: primitives of one kind, effect and texture collect here and reach the
// renderer as one geometry call when any of these changes or the batch is full.
class TVela2D : public TVelaSubscriber {
  public:
    explicit TVela2D(TVelaDevice& Device);
    ~TVela2D() override;
    TVela2D(const TVela2D&) = delete;
    TVela2D& operator=(const TVela2D&) = delete;

    bool AlphaTesting = true;
    // On SDL's software renderer, batches are drawn by our own span renderer; cleared, SDL's geometry
    // draws them as on any other renderer (kept to measure the difference).
    bool SpanRendering = true;

    int VertexCache() const { return FVertexCache; }
    void SetVertexCache(int Value);
    bool Antialias() const { return FAntialias; }
    void SetAntialias(bool Value);
    bool Dithering() const { return FDithering; }
    void SetDithering(bool Value);

    // Sends the pending batch now; the next primitive sets effect and texture afresh.
    void Flush();

    int VertexCount() const { return static_cast<int>(Vertices.size()); }
    int IndexCount() const { return static_cast<int>(Indices.size()); }
    int PrimitiveCount() const { return FPrimitiveCount; }
    TPrimitiveKind PendingKind() const { return FPendingKind; }
    int64_t CurrentEffect() const { return FCurrentEffect; }
    // Totals since the last ResetCounters: geometry calls issued and vertices sent with them.
    int DrawCalls() const { return FDrawCalls; }
    int VerticesDrawn() const { return FVerticesDrawn; }
    void ResetCounters();

    bool Notify(TVelaPublisher* Sender, int Message) override;

    // SDL's equivalent of a drawing-effect code (without the modulation bit).
    static SDL_BlendMode BlendModeOf(uint32_t Effect);

    // The device drawn on, for callers that clip against the screen.
    TVelaDevice& GetDevice() const { return Device; }

  protected:
    // Makes room for a primitive and returns the index its first vertex will have.
    int Request(TPrimitiveKind Kind, int VertexCount, int IndexCount, uint32_t Effect, TVelaImage* Image,
                int TextureNumber);
    void AddVertex(float X, float Y, uint32_t Colour, float U = 0, float V = 0);
    void AddIndex(int Index) { Indices.push_back(Index); }
    void AddPrimitive() { ++FPrimitiveCount; }

    TVelaDevice& Device;

  private:
    // Sends what is pending; effect and texture stay as they are.
    void FlushBatch();
    void ApplyEffect(uint32_t Effect);
    void SubmitTriangles();
    void SubmitThinPrimitives();
    // Draws through the span renderer where it can; false leaves the batch to SDL.
    bool DrawSpans(const std::vector<SDL_Vertex>& Batch, const std::vector<int>& BatchIndices);
    void ExpandLine(const SDL_Vertex& From, const SDL_Vertex& To);
    void ExpandPoint(const SDL_Vertex& Point);

    int FVertexCache = 4096;
    bool FAntialias = true;
    bool FDithering = false;
    bool Lost = false;

    std::vector<SDL_Vertex> Vertices;
    std::vector<int> Indices;
    std::vector<SDL_Vertex> ScratchVertices;
    std::vector<int> ScratchIndices;
    int FPrimitiveCount = 0;
    TPrimitiveKind FPendingKind = pkNone;
    int64_t FCurrentEffect = -1;
    SDL_BlendMode CurrentBlendMode = SDL_BLENDMODE_BLEND;
    TVelaImage* CurrentImage = nullptr;
    int CurrentTextureNumber = -1;
    bool TextureBound = false;
    int FDrawCalls = 0;
    int FVerticesDrawn = 0;
    TSpanRenderer Spans;
};
