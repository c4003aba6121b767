#pragma once

#include "render/TVelaPublisher.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <array>
#include <cstdint>
#include <list>
#include <string>
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
    bool Notify(TVelaPublisher* Sender, int Message) override;

  private:
    struct TCachedText {
        SDL_Texture* Texture = nullptr;
        int Width = 0;
        int Height = 0;
        std::list<std::string>::iterator Age;
    };

    // Sets the largest point size at which every character fits a cell of Size rows, at the first use
    // after Initialize.
    void ChoosePointSize();
    // How far each character of the game's encoding reaches above the ascent, and the most of them.
    void MeasureAccents();
    const TCachedText* Rendered(const std::string& Line);
    // The rendered line in a surface exactly Size rows high, its baseline on the cell's common row.
    SDL_Surface* InCell(SDL_Surface* Drawn, const std::string& Line) const;
    void DrawLines(const std::string& Text, int X, int Y, uint32_t Colour);
    void ClearCache();

    TVelaDevice& Device;
    TVelaFontsAlt& Owner;
    TTF_Font* Font = nullptr;
    bool Sized = false;
    std::array<uint8_t, 256> Above{};
    int CellTop = 0;
    std::unordered_map<std::string, TCachedText> Cache;
    std::list<std::string> Ages;
};
