#include "render/TVelaFontAlt.h"

#include "render/TVelaDevice.h"
#include "render/TVelaFontsAlt.h"
#include "runtime/TWin1250.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {
constexpr size_t CacheLimit = 192;

std::vector<std::string> SplitLines(const std::string& Text) {
    std::vector<std::string> Lines(1);
    for (char C : Text) {
        if (C == '\n')
            Lines.emplace_back();
        else if (C != '\r')
            Lines.back() += C;
    }
    return Lines;
}
} // namespace

TVelaFontAlt::TVelaFontAlt(TVelaDevice& Device, TVelaFontsAlt& Owner) : Device(Device), Owner(Owner) {
    Device.Subscribe(this);
}

TVelaFontAlt::~TVelaFontAlt() {
    Finalize();
}

uint8_t TVelaFontAlt::AlphaOf(double Intensity) {
    // Rounded to even, so the usual half intensity gives 128.
    return static_cast<uint8_t>(std::clamp(std::nearbyint(Intensity * 255.0), 0.0, 255.0));
}

bool TVelaFontAlt::Initialize() {
    Finalize();
    const std::string FileName = Owner.FontFileOf(Name);
    if (FileName.empty() || Size < 1)
        return false;
    Font = TTF_OpenFont(FileName.c_str(), Size);
    if (Font == nullptr) {
        std::fprintf(stderr, "Zerathon: cannot open the font %s: %s\n", FileName.c_str(), TTF_GetError());
        return false;
    }
    // The largest point size whose line is no taller than Size pixels.
    int Low = 1;
    int High = Size * 2;
    while (Low < High) {
        const int Middle = (Low + High + 1) / 2;
        TTF_SetFontSize(Font, Middle);
        if (TTF_FontHeight(Font) <= Size)
            Low = Middle;
        else
            High = Middle - 1;
    }
    TTF_SetFontSize(Font, Low);
    int FontStyle = TTF_STYLE_NORMAL;
    if (Style & feBold)
        FontStyle |= TTF_STYLE_BOLD;
    if (Style & feItalic)
        FontStyle |= TTF_STYLE_ITALIC;
    TTF_SetFontStyle(Font, FontStyle);
    TTF_SetFontHinting(Font, TTF_HINTING_LIGHT);
    return true;
}

void TVelaFontAlt::Finalize() {
    ClearCache();
    if (Font != nullptr) {
        TTF_CloseFont(Font);
        Font = nullptr;
    }
}

void TVelaFontAlt::ClearCache() {
    for (auto& Entry : Cache)
        SDL_DestroyTexture(Entry.second.Texture);
    Cache.clear();
    Ages.clear();
}

const TVelaFontAlt::TCachedText* TVelaFontAlt::Rendered(const std::string& Line) {
    if (Font == nullptr || Line.empty() || Device.Renderer() == nullptr)
        return nullptr;
    auto Found = Cache.find(Line);
    if (Found != Cache.end()) {
        Ages.splice(Ages.begin(), Ages, Found->second.Age);
        return &Found->second;
    }
    const std::string Utf8 = TWin1250::ToUtf8(Line);
    const SDL_Color White = {255, 255, 255, 255};
    SDL_Surface* Surface = Antialiased ? TTF_RenderUTF8_Blended(Font, Utf8.c_str(), White)
                                       : TTF_RenderUTF8_Solid(Font, Utf8.c_str(), White);
    if (Surface == nullptr)
        return nullptr;
    TCachedText Entry;
    Entry.Texture = SDL_CreateTextureFromSurface(Device.Renderer(), Surface);
    Entry.Width = Surface->w;
    Entry.Height = Surface->h;
    SDL_FreeSurface(Surface);
    if (Entry.Texture == nullptr)
        return nullptr;
    SDL_SetTextureBlendMode(Entry.Texture, SDL_BLENDMODE_BLEND);
    if (Cache.size() >= CacheLimit) {
        auto Oldest = Cache.find(Ages.back());
        SDL_DestroyTexture(Oldest->second.Texture);
        Cache.erase(Oldest);
        Ages.pop_back();
    }
    Ages.push_front(Line);
    Entry.Age = Ages.begin();
    return &Cache.emplace(Line, Entry).first->second;
}

void TVelaFontAlt::DrawLines(const std::string& Text, int X, int Y, uint32_t Colour) {
    int LineY = Y;
    for (const std::string& Line : SplitLines(Text)) {
        const TCachedText* Entry = Rendered(Line);
        if (Entry != nullptr && Device.Rasterise) {
            // Tinted by colour and alpha modulation. A plain copy, not geometry: software renderers
            // blit it many times faster than they fill two textured triangles.
            SDL_SetTextureColorMod(Entry->Texture, Colour & 0xFF, (Colour >> 8) & 0xFF,
                                   (Colour >> 16) & 0xFF);
            SDL_SetTextureAlphaMod(Entry->Texture, Colour >> 24);
            const SDL_Rect Target = {X, LineY, Entry->Width, Entry->Height};
            SDL_RenderCopy(Device.Renderer(), Entry->Texture, nullptr, &Target);
        }
        LineY += Size;
    }
}

void TVelaFontAlt::TextOut(const std::string& Text, int X, int Y, uint32_t Colour) {
    if (Font == nullptr || Device.Lost())
        return;
    if (Style & feShadow)
        DrawLines(Text, X + ShadowDepth, Y + ShadowDepth,
                  (ShadowColor & 0x00FFFFFFu) | (uint32_t(AlphaOf(ShadowIntensity)) << 24));
    if (Style & feEmboss) {
        DrawLines(Text, X - 2 * EmbossDepth, Y - 2 * EmbossDepth, Colour);
        DrawLines(Text, X - EmbossDepth, Y - EmbossDepth,
                  (EmbossColor & 0x00FFFFFFu) | (uint32_t(AlphaOf(EmbossStrength)) << 24));
    } else {
        DrawLines(Text, X, Y, Colour);
    }
}

int TVelaFontAlt::TextWidth(const std::string& Text) {
    if (Font == nullptr)
        return 0;
    int Width = 0;
    for (const std::string& Line : SplitLines(Text)) {
        if (const TCachedText* Entry = Rendered(Line)) {
            Width = std::max(Width, Entry->Width);
        } else if (!Line.empty()) {
            int LineWidth = 0;
            TTF_SizeUTF8(Font, TWin1250::ToUtf8(Line).c_str(), &LineWidth, nullptr);
            Width = std::max(Width, LineWidth);
        }
    }
    return Width;
}

int TVelaFontAlt::TextHeight(const std::string& Text) {
    if (Font == nullptr || Text.empty())
        return 0;
    return static_cast<int>(SplitLines(Text).size()) * Size;
}

bool TVelaFontAlt::Notify(TVelaPublisher*, int Message) {
    if (Message == vnLost || Message == vnFinalize)
        ClearCache();
    return true;
}
