#pragma once

#include "render/TVelaPublisher.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <array>
#include <cstdint>
#include <list>
#include <string>
#include <string_view>
#include <unordered_map>

class TVelaDevice;
class TVelaFontsAlt;

enum TFontEffect : unsigned { feBold = 1, feItalic = 2, feShadow = 4, feEmboss = 8 };

// One font of the game's list: a TrueType face at a line height of Size pixels. Strings are rendered
// once in white, kept as textures, and tinted when drawn.
class TVelaFontAlt : public TVelaSubscriber {
  public:
    TVelaFontAlt(TVelaDevice& Device, TVelaFontsAlt& Owner);
    ~TVelaFontAlt() override;
    TVelaFontAlt(const TVelaFontAlt&) = delete;
    TVelaFontAlt& operator=(const TVelaFontAlt&) = delete;

    int Size = 22;
    std::string Name = "Arial";
    int Charset = 1;
    bool Antialiased = true;
    unsigned Style = 0;
    uint32_t ShadowColor = 0;
    double ShadowIntensity = 0.5;
    int ShadowDepth = 2;
    uint32_t EmbossColor = 0;
    double EmbossStrength = 0.5;
    int EmbossDepth = 1;

    bool Initialize();
    void Finalize();
    bool Initialized() const { return Font != nullptr; }

    // Text is in the game's single-byte encoding; lines break at line feeds.
    void TextOut(const std::string& Text, int X, int Y, uint32_t Colour);
    int TextWidth(const std::string& Text);
    int TextHeight(const std::string& Text);

    static uint8_t AlphaOf(double Intensity);
    // The rendered lines kept for drawing again, and the bytes of their pixels.
    void ClearCache();
    size_t CacheBytes() const { return FCacheBytes; }
    bool Notify(TVelaPublisher* Sender, int Message) override;

  private:
    struct TCachedText {
        // The white line, tinted when drawn. SDL's software renderer maps a texture afresh, allocating,
        // whenever its colour or alpha modulation switches on or off (a white text over its black
        // shadow would do so twice a frame): there each kind of tint gets a copy of its own, made at
        // first use from the kept cell. Elsewhere the first texture serves every tint.
        std::array<SDL_Texture*, 4> Textures{};
        SDL_Surface* Cell = nullptr;
        int Width = 0;
        int Height = 0;
        std::list<std::string>::iterator Age;
    };
    // Lets the cache be searched with a part of a longer text, without building a string.
    struct TLineHash {
        using is_transparent = void;
        size_t operator()(std::string_view Line) const { return std::hash<std::string_view>()(Line); }
    };

    // Sets the largest point size at which every character fits a cell of Size rows, at the first use
    // after Initialize.
    void ChoosePointSize();
    // How far each character of the game's encoding reaches above the ascent, and the most of them.
    void MeasureAccents();
    TCachedText* Rendered(std::string_view Line);
    SDL_Texture* TintedTexture(TCachedText& Entry, uint32_t Colour);
    SDL_Texture* NewTexture(SDL_Surface* Cell);
    void Release(TCachedText& Entry);
    // Calls Each(Piece, Offset) for every piece of Line rendered on its own, Offset in pixels from the
    // line's start: each digit alone and the text between digits whole. Numbers change all the time;
    // from cached digits a new score costs no rendering, while words keep their kerning.
    template <typename TEach> void ForEachPiece(std::string_view Line, TEach Each);
    // How far the pen moves past a character, in fractions of a pixel, as the renderer places it.
    float AdvanceOf(unsigned char Character);
    int LineWidth(std::string_view Line);
    // The rendered line in a surface exactly Size rows high, its baseline on the cell's common row.
    SDL_Surface* InCell(SDL_Surface* Drawn, std::string_view Line) const;
    // Calls Each with every line of Text, carriage returns left out.
    template <typename TEach> void ForEachLine(const std::string& Text, TEach Each);
    void DrawLines(const std::string& Text, int X, int Y, uint32_t Colour);
    static size_t BytesOf(const TCachedText& Entry);

    TVelaDevice& Device;
    TVelaFontsAlt& Owner;
    TTF_Font* Font = nullptr;
    bool Sized = false;
    std::array<uint8_t, 256> Above{};
    std::array<float, 256> Advances{}; // negative until measured
    int CellTop = 0;
    std::unordered_map<std::string, TCachedText, TLineHash, std::equal_to<>> Cache;
    std::list<std::string> Ages;
    size_t FCacheBytes = 0;
    std::string LineScratch; // kept, so drawing a line with carriage returns allocates only once
};
