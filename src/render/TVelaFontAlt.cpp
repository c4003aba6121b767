#include "render/TVelaFontAlt.h"

#include "render/TVelaDevice.h"
#include "render/TVelaFontsAlt.h"
#include "runtime/TWin1250.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr size_t CacheLimit = 192;

// The characters a font's cell must hold: every one of the game's encoding but the underscore and the
// bar. Those two reach a row below all the others at some sizes, and are cut there rather than shrink
// every letter by two points.
const std::string& EveryCharacter() {
    static const std::string Characters = [] {
        std::string Text;
        for (int Byte = 0x20; Byte <= 0xFF; ++Byte)
            if (Byte != 0x7F && Byte != '_' && Byte != '|')
                Text += static_cast<char>(Byte);
        return Text;
    }();
    return Characters;
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
    const std::vector<uint8_t>* Data = Owner.FontDataOf(Name);
    if (Data == nullptr || Size < 1)
        return false;
    // A font that cannot be used was reported once, when its file was registered.
    SDL_RWops* Stream = SDL_RWFromConstMem(Data->data(), static_cast<int>(Data->size()));
    Font = Stream != nullptr ? TTF_OpenFontRW(Stream, 1, Size) : nullptr;
    if (Font == nullptr)
        return false;
    int FontStyle = TTF_STYLE_NORMAL;
    if (Style & feBold)
        FontStyle |= TTF_STYLE_BOLD;
    if (Style & feItalic)
        FontStyle |= TTF_STYLE_ITALIC;
    TTF_SetFontStyle(Font, FontStyle);
    TTF_SetFontHinting(Font, TTF_HINTING_LIGHT);
    // Measuring every character takes a while: a font is sized when it first draws or measures text,
    // so the fonts a screen never uses cost nothing.
    Sized = false;
    return true;
}

void TVelaFontAlt::ChoosePointSize() {
    if (Sized)
        return;
    Sized = true;
    // The largest point size whose line is no taller than Size pixels...
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
    // ...and below it the first whose every character, accents over capitals and descenders included,
    // fits a cell of Size rows.
    const std::string Sample = TWin1250::ToUtf8(EveryCharacter());
    for (int Points = Low;; --Points) {
        TTF_SetFontSize(Font, Points);
        MeasureAccents();
        int Needed = 0;
        TTF_SizeUTF8(Font, Sample.c_str(), nullptr, &Needed);
        if (Needed <= Size || Points == 1)
            return;
    }
}

void TVelaFontAlt::MeasureAccents() {
    const int Ascent = TTF_FontAscent(Font);
    for (int Byte = 0; Byte < 256; ++Byte) {
        int Top = 0;
        if (TTF_GlyphMetrics32(Font, TWin1250::CodePointOf(static_cast<unsigned char>(Byte)), nullptr,
                               nullptr, nullptr, &Top, nullptr) != 0)
            Top = Ascent;
        Above[Byte] = static_cast<uint8_t>(std::clamp(Top - Ascent, 0, 255));
    }
    Advances.fill(-1);
    CellTop = 0;
    for (unsigned char C : EveryCharacter())
        CellTop = std::max(CellTop, static_cast<int>(Above[C]));
}

void TVelaFontAlt::Finalize() {
    ClearCache();
    if (Font != nullptr) {
        TTF_CloseFont(Font);
        Font = nullptr;
    }
}

template <typename TEach> void TVelaFontAlt::ForEachLine(const std::string& Text, TEach Each) {
    size_t Start = 0;
    for (;;) {
        const size_t End = std::min(Text.find('\n', Start), Text.size());
        std::string_view Line(Text.data() + Start, End - Start);
        if (Line.find('\r') != std::string_view::npos) {
            LineScratch.assign(Line);
            std::erase(LineScratch, '\r');
            Line = LineScratch;
        }
        Each(Line);
        if (End == Text.size())
            return;
        Start = End + 1;
    }
}

void TVelaFontAlt::ClearCache() {
    for (auto& Entry : Cache)
        Release(Entry.second);
    Cache.clear();
    Ages.clear();
    FCacheBytes = 0;
}

void TVelaFontAlt::Release(TCachedText& Entry) {
    for (SDL_Texture*& Texture : Entry.Textures) {
        SDL_DestroyTexture(Texture);
        Texture = nullptr;
    }
    SDL_FreeSurface(Entry.Cell);
    Entry.Cell = nullptr;
}

size_t TVelaFontAlt::BytesOf(const TCachedText& Entry) {
    const size_t Copies = std::count_if(Entry.Textures.begin(), Entry.Textures.end(),
                                        [](SDL_Texture* Texture) { return Texture != nullptr; }) +
                          (Entry.Cell != nullptr ? 1 : 0);
    return size_t(Entry.Width) * size_t(Entry.Height) * 4 * Copies;
}

SDL_Texture* TVelaFontAlt::NewTexture(SDL_Surface* Cell) {
    SDL_Texture* Texture = SDL_CreateTextureFromSurface(Device.Renderer(), Cell);
    if (Texture != nullptr)
        SDL_SetTextureBlendMode(Texture, SDL_BLENDMODE_BLEND);
    return Texture;
}

SDL_Texture* TVelaFontAlt::TintedTexture(TCachedText& Entry, uint32_t Colour) {
    if (Entry.Cell == nullptr)
        return Entry.Textures[0];
    const bool White = (Colour & 0xFFFFFFu) == 0xFFFFFFu;
    const bool Opaque = (Colour >> 24) == 0xFF;
    SDL_Texture*& Texture = Entry.Textures[(White ? 1 : 0) + (Opaque ? 2 : 0)];
    if (Texture == nullptr) {
        Texture = NewTexture(Entry.Cell);
        if (Texture != nullptr)
            FCacheBytes += size_t(Entry.Width) * size_t(Entry.Height) * 4;
    }
    return Texture;
}

TVelaFontAlt::TCachedText* TVelaFontAlt::Rendered(std::string_view Line) {
    if (Font == nullptr || Line.empty() || Device.Renderer() == nullptr)
        return nullptr;
    ChoosePointSize();
    auto Found = Cache.find(Line);
    if (Found != Cache.end()) {
        Ages.splice(Ages.begin(), Ages, Found->second.Age);
        return &Found->second;
    }
    const std::string Utf8 = TWin1250::ToUtf8(std::string(Line));
    const SDL_Color White = {255, 255, 255, 255};
    SDL_Surface* Surface = Antialiased ? TTF_RenderUTF8_Blended(Font, Utf8.c_str(), White)
                                       : TTF_RenderUTF8_Solid(Font, Utf8.c_str(), White);
    if (Surface == nullptr)
        return nullptr;
    SDL_Surface* Cell = InCell(Surface, Line);
    SDL_FreeSurface(Surface);
    if (Cell == nullptr)
        return nullptr;
    TCachedText Entry;
    Entry.Width = Cell->w;
    Entry.Height = Cell->h;
    if (Device.Accelerated()) {
        Entry.Textures[0] = NewTexture(Cell);
        SDL_FreeSurface(Cell);
        if (Entry.Textures[0] == nullptr)
            return nullptr;
    } else {
        Entry.Cell = Cell;
    }
    Owner.MakeRoom(BytesOf(Entry));
    if (Cache.size() >= CacheLimit) {
        auto Oldest = Cache.find(Ages.back());
        FCacheBytes -= BytesOf(Oldest->second);
        Release(Oldest->second);
        Cache.erase(Oldest);
        Ages.pop_back();
    }
    FCacheBytes += BytesOf(Entry);
    Ages.emplace_front(Line);
    Entry.Age = Ages.begin();
    return &Cache.emplace(Ages.front(), Entry).first->second;
}

SDL_Surface* TVelaFontAlt::InCell(SDL_Surface* Drawn, std::string_view Line) const {
    SDL_Surface* Cell = SDL_CreateRGBSurfaceWithFormat(0, Drawn->w, Size, 32, SDL_PIXELFORMAT_ARGB8888);
    if (Cell == nullptr)
        return nullptr;
    // The renderer starts a line lower when one of its characters reaches above the ascent; lifting it
    // back puts every line's baseline on the same row of the cell.
    int LineAbove = 0;
    for (unsigned char C : Line)
        LineAbove = std::max(LineAbove, static_cast<int>(Above[C]));
    SDL_Rect Where = {0, CellTop - LineAbove, Drawn->w, Drawn->h};
    SDL_SetSurfaceBlendMode(Drawn, SDL_BLENDMODE_NONE);
    SDL_BlitSurface(Drawn, nullptr, Cell, &Where);
    return Cell;
}

template <typename TEach> void TVelaFontAlt::ForEachPiece(std::string_view Line, TEach Each) {
    const auto IsDigit = [](char C) { return C >= '0' && C <= '9'; };
    float Pen = 0;
    size_t Start = 0;
    while (Start < Line.size()) {
        size_t End = Start + 1;
        if (!IsDigit(Line[Start]))
            while (End < Line.size() && !IsDigit(Line[End]))
                ++End;
        const std::string_view Piece = Line.substr(Start, End - Start);
        Each(Piece, static_cast<int>(Pen + 0.5f));
        // Only a piece with another after it needs its advances, so a line of words is never measured.
        if (End < Line.size())
            for (unsigned char C : Piece)
                Pen += AdvanceOf(C);
        Start = End;
    }
}

float TVelaFontAlt::AdvanceOf(unsigned char Character) {
    ChoosePointSize();
    float& Advance = Advances[Character];
    if (Advance < 0) {
        // The renderer places characters at fractions of a pixel: a run of them shows how far apart.
        constexpr int Run = 16;
        int One = 0;
        int More = 0;
        TTF_SizeUTF8(Font, TWin1250::ToUtf8(std::string(1, static_cast<char>(Character))).c_str(), &One,
                     nullptr);
        TTF_SizeUTF8(Font, TWin1250::ToUtf8(std::string(Run + 1, static_cast<char>(Character))).c_str(),
                     &More, nullptr);
        Advance = std::max(More - One, 0) / static_cast<float>(Run);
    }
    return Advance;
}

void TVelaFontAlt::DrawLines(const std::string& Text, int X, int Y, uint32_t Colour) {
    int LineY = Y;
    ForEachLine(Text, [&](std::string_view Line) {
        ForEachPiece(Line, [&](std::string_view Piece, int Offset) {
            TCachedText* Entry = Rendered(Piece);
            SDL_Texture* Texture =
                Entry != nullptr && Device.Rasterise ? TintedTexture(*Entry, Colour) : nullptr;
            if (Texture == nullptr)
                return;
            // Tinted by colour and alpha modulation. A plain copy, not geometry: software renderers
            // blit it many times faster than they fill two textured triangles.
            SDL_SetTextureColorMod(Texture, Colour & 0xFF, (Colour >> 8) & 0xFF, (Colour >> 16) & 0xFF);
            SDL_SetTextureAlphaMod(Texture, Colour >> 24);
            const SDL_Rect Target = {X + Offset, LineY, Entry->Width, Entry->Height};
            SDL_RenderCopy(Device.Renderer(), Texture, nullptr, &Target);
        });
        LineY += Size;
    });
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
    ChoosePointSize();
    int Width = 0;
    ForEachLine(Text, [&](std::string_view Line) { Width = std::max(Width, LineWidth(Line)); });
    return Width;
}

int TVelaFontAlt::LineWidth(std::string_view Line) {
    // The last piece reaches furthest.
    int Width = 0;
    ForEachPiece(Line, [&](std::string_view Piece, int Offset) {
        if (const TCachedText* Entry = Rendered(Piece)) {
            Width = Offset + Entry->Width;
        } else {
            int PieceWidth = 0;
            TTF_SizeUTF8(Font, TWin1250::ToUtf8(std::string(Piece)).c_str(), &PieceWidth, nullptr);
            Width = Offset + PieceWidth;
        }
    });
    return Width;
}

int TVelaFontAlt::TextHeight(const std::string& Text) {
    if (Font == nullptr || Text.empty())
        return 0;
    return static_cast<int>(std::count(Text.begin(), Text.end(), '\n') + 1) * Size;
}

bool TVelaFontAlt::Notify(TVelaPublisher*, int Message) {
    if (Message == vnLost || Message == vnFinalize)
        ClearCache();
    return true;
}
