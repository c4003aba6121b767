#include "render/TVelaImage.h"

#include "render/TVelaDevice.h"
#include "runtime/TMessageBox.h"
#include "runtime/TPictureFile.h"
#include "runtime/TPictureJob.h"
#include "runtime/TPictureLoader.h"

#include <algorithm>
#include <cmath>
#include <numbers>

TVelaImage::TVelaImage(TVelaDevice& Device) : Device(Device) {
    Device.Subscribe(this);
}

TVelaImage::~TVelaImage() {
    DestroyTextures();
}

void TVelaImage::SetTextureSize(int Width, int Height) {
    if (!FLoaded)
        FTextureSize = {Width, Height};
}

void TVelaImage::SetPatternSize(int Width, int Height) {
    if (!FLoaded)
        FPatternSize = {Width, Height};
}

void TVelaImage::SetVisibleSize(int Width, int Height) {
    if (!FLoaded)
        FVisibleSize = {Width, Height};
}

void TVelaImage::SetPatternCount(int Count) {
    if (!FLoaded)
        FPatternCount = Count;
}

SDL_Texture* TVelaImage::Texture(int Index) {
    Finish();
    if (FTextures.empty() && !FTexturePictures.empty() && Device.Renderer() != nullptr && !UploadTextures())
        DestroyTextures();
    if (Index < 0 || Index >= static_cast<int>(FTextures.size()))
        return nullptr;
    return FTextures[Index];
}

bool TVelaImage::Fail(const std::string& Reason) {
    FLastError = Reason;
    return false;
}

bool TVelaImage::LoadFromFile(const std::string& FileName, bool Mask, uint32_t MaskColour, double Tolerance) {
    TPicture Picture;
    std::string Error;
    if (!TPictureFile::Load(FileName, Picture, &Error))
        return Fail(Error.empty() ? "Cannot read \"" + FileName + "\"" : Error);
    if (!LoadFromPicture(Picture, Mask, MaskColour, Tolerance))
        return Fail("\"" + FileName + "\": " + FLastError);
    return true;
}

bool TVelaImage::LoadFromFileLater(const std::string& FileName, bool Mask, uint32_t MaskColour,
                                   double Tolerance, TPictureLoader& Loader) {
    int Width = 0;
    int Height = 0;
    bool Known = false;
    std::string Error;
    if (!TPictureFile::ReadSize(FileName, Width, Height, Known, &Error))
        return Fail(Error);
    if (!Known)
        return LoadFromFile(FileName, Mask, MaskColour, Tolerance);
    Unload();
    FLastError.clear();
    if (!Prepare(Width, Height))
        return Fail("\"" + FileName + "\": " + FLastError);
    if (FPatternCount < 1)
        FPatternCount = PatternsPerTexture * TextureCountFor(Width, Height);
    Later = std::make_unique<TLaterLoad>(TLaterLoad{Loader.Add(FileName), Mask, MaskColour, Tolerance});
    FLoaded = true;
    return true;
}

bool TVelaImage::FinishIfDecoded() {
    if (Later != nullptr && Later->Job->Done())
        Finish();
    return Later == nullptr;
}

void TVelaImage::Finish() {
    if (Later == nullptr)
        return;
    const std::unique_ptr<TLaterLoad> Load = std::move(Later);
    TPicture Picture;
    std::string Error;
    const std::string& FileName = Load->Job->FileName();
    if (!Load->Job->Take(Picture, Error))
        Fail(Error.empty() ? "Cannot read \"" + FileName + "\"" : Error);
    else if (Picture.Width < FPatternSize.x || Picture.Height < FPatternSize.y)
        Fail("\"" + FileName + "\": picture is smaller than one pattern");
    else {
        PackCells(Picture, Load->Mask, Load->MaskColour, Load->Tolerance);
        if (CreateTextures())
            return;
        Fail("\"" + FileName + "\": cannot create its textures");
    }
    Unload();
    TMessageBox::Show(
        "Zerathon",
        "The picture of texture \"" + Name + "\" could not be loaded; it stays blank:\n" + FLastError, true);
}

int TVelaImage::LargestTexture() const {
    SDL_RendererInfo Info;
    int Largest = MaxTextureSide;
    // A renderer that names no limit (the software one) takes what memory allows: ours.
    if (Device.Renderer() != nullptr && SDL_GetRendererInfo(Device.Renderer(), &Info) == 0) {
        if (Info.max_texture_width > 0)
            Largest = std::min(Largest, Info.max_texture_width);
        if (Info.max_texture_height > 0)
            Largest = std::min(Largest, Info.max_texture_height);
    }
    return Largest;
}

int TVelaImage::TextureCountFor(int Width, int Height) const {
    const int64_t Cells = int64_t(Width / FPatternSize.x) * (Height / FPatternSize.y);
    return static_cast<int>((Cells + PatternsPerTexture - 1) / PatternsPerTexture);
}

bool TVelaImage::Prepare(int Width, int Height) {
    if (FPatternSize.x < 1)
        FPatternSize.x = FTextureSize.x;
    if (FPatternSize.y < 1)
        FPatternSize.y = FTextureSize.y;
    if (FVisibleSize.x < 1)
        FVisibleSize.x = FTextureSize.x;
    if (FVisibleSize.y < 1)
        FVisibleSize.y = FTextureSize.y;
    if (FPatternSize.x < 1 || FPatternSize.y < 1 || FPatternSize.x > FTextureSize.x ||
        FPatternSize.y > FTextureSize.y)
        return Fail("pattern size does not fit the texture size");
    if (FVisibleSize.x > FPatternSize.x || FVisibleSize.y > FPatternSize.y)
        return Fail("visible size is larger than the pattern size");
    if (Width < FPatternSize.x || Height < FPatternSize.y)
        return Fail("picture is smaller than one pattern");
    const int Largest = LargestTexture();
    if (FTextureSize.x > Largest || FTextureSize.y > Largest)
        return Fail("texture size " + std::to_string(FTextureSize.x) + " x " +
                    std::to_string(FTextureSize.y) + " is above the largest texture, " +
                    std::to_string(Largest) + " x " + std::to_string(Largest));
    PatternsPerRow = FTextureSize.x / FPatternSize.x;
    PatternRows = FTextureSize.y / FPatternSize.y;
    PatternsPerTexture = PatternsPerRow * PatternRows;
    // Tiny textures for a large picture would be made by the hundred thousand.
    const int Textures = TextureCountFor(Width, Height);
    if (Textures > MaxTextureCount)
        return Fail("the picture would fill " + std::to_string(Textures) + " textures, more than " +
                    std::to_string(MaxTextureCount));
    return true;
}

bool TVelaImage::LoadFromPicture(const TPicture& Picture, bool Mask, uint32_t MaskColour, double Tolerance) {
    Unload();
    FLastError.clear();
    if (!Prepare(Picture.Width, Picture.Height))
        return false;
    PackCells(Picture, Mask, MaskColour, Tolerance);
    if (FPatternCount < 1)
        FPatternCount = PatternsPerTexture * static_cast<int>(FTexturePictures.size());
    if (!CreateTextures()) {
        Unload();
        return Fail("cannot create its textures");
    }
    FLoaded = true;
    return true;
}

void TVelaImage::PackCells(const TPicture& Picture, bool Mask, uint32_t MaskColour, double Tolerance) {
    const int Columns = Picture.Width / FPatternSize.x;
    const int Rows = Picture.Height / FPatternSize.y;
    const int Cells = Columns * Rows;
    const int Textures = (Cells + PatternsPerTexture - 1) / PatternsPerTexture;
    const double Threshold = MaskThreshold(Tolerance);
    FTexturePictures.assign(Textures, TPicture{});
    for (TPicture& Texture : FTexturePictures) {
        Texture.Width = FTextureSize.x;
        Texture.Height = FTextureSize.y;
        Texture.Pixels.assign(static_cast<size_t>(Texture.Width) * Texture.Height, 0);
    }
    for (int Cell = 0; Cell < Cells; ++Cell) {
        const int SourceX = (Cell % Columns) * FPatternSize.x;
        const int SourceY = (Cell / Columns) * FPatternSize.y;
        TPicture& Texture = FTexturePictures[Cell / PatternsPerTexture];
        const int Slot = Cell % PatternsPerTexture;
        const int TargetX = (Slot % PatternsPerRow) * FPatternSize.x;
        const int TargetY = (Slot / PatternsPerRow) * FPatternSize.y;
        for (int Y = 0; Y < FPatternSize.y; ++Y) {
            const uint32_t* From =
                &Picture.Pixels[static_cast<size_t>(SourceY + Y) * Picture.Width + SourceX];
            uint32_t* To = &Texture.At(TargetX, TargetY + Y);
            if (!Mask) {
                std::copy(From, From + FPatternSize.x, To);
                continue;
            }
            for (int X = 0; X < FPatternSize.x; ++X)
                To[X] = (From[X] & 0x00FFFFFFu) | (uint32_t(MaskAlpha(From[X], MaskColour, Threshold)) << 24);
        }
    }
}

double TVelaImage::MaskThreshold(double Tolerance) {
    return std::fabs(Tolerance) / 57.73502692 + 0.025;
}

uint8_t TVelaImage::MaskAlpha(uint32_t Pixel, uint32_t MaskColour, double Threshold) {
    auto Channel = [](uint32_t Colour, int Shift) { return ((Colour >> Shift) & 0xFF) / 255.0; };
    const double Red = Channel(Pixel, 0) - Channel(MaskColour, 0);
    const double Green = Channel(Pixel, 8) - Channel(MaskColour, 8);
    const double Blue = Channel(Pixel, 16) - Channel(MaskColour, 16);
    const double Distance = std::sqrt(Red * Red + Green * Green + Blue * Blue);
    if (Distance >= Threshold)
        return 255;
    const double Alpha = (std::sin(std::numbers::pi * Distance / Threshold - std::numbers::pi / 2) + 1) / 2;
    return static_cast<uint8_t>(std::lround(Alpha * 255));
}

int TVelaImage::ClampPattern(int Pattern) const {
    return std::clamp(Pattern, 0, std::max(FPatternCount - 1, 0));
}

void TVelaImage::PatternRect(int Pattern, int& TextureIndex, SDL_Rect& Rect) const {
    const int Number = ClampPattern(Pattern);
    TextureIndex = PatternsPerTexture > 0 ? Number / PatternsPerTexture : 0;
    const int InTexture = PatternsPerTexture > 0 ? Number % PatternsPerTexture : 0;
    const int Column = PatternsPerRow > 0 ? InTexture % PatternsPerRow : 0;
    const int Row = PatternsPerRow > 0 && PatternRows > 0 ? (InTexture / PatternsPerRow) % PatternRows : 0;
    Rect.x = Column * FPatternSize.x + (FPatternSize.x - FVisibleSize.x) / 2;
    Rect.y = Row * FPatternSize.y + (FPatternSize.y - FVisibleSize.y) / 2;
    Rect.w = FVisibleSize.x;
    Rect.h = FVisibleSize.y;
}

void TVelaImage::Unload() {
    Later.reset();
    DestroyTextures();
    FTexturePictures.clear();
    FLoaded = false;
}

bool TVelaImage::CreateTextures() {
    DestroyTextures();
    // The software renderer's batches are drawn from our own pixels: SDL gets its copy only when it has
    // to draw one itself (see Texture), so the pictures are not held twice.
    if (Device.Renderer() == nullptr || !Device.Accelerated())
        return true;
    return UploadTextures();
}

bool TVelaImage::UploadTextures() {
    SDL_Renderer* Renderer = Device.Renderer();
    std::vector<uint32_t> Converted;
    for (const TPicture& Picture : FTexturePictures) {
        SDL_Texture* Texture = SDL_CreateTexture(Renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC,
                                                 Picture.Width, Picture.Height);
        if (Texture == nullptr) {
            FLastError = SDL_GetError();
            DestroyTextures();
            return false;
        }
        // The game keeps red in the low byte; the renderer wants blue there.
        Converted.resize(Picture.Pixels.size());
        for (size_t I = 0; I < Picture.Pixels.size(); ++I) {
            const uint32_t Pixel = Picture.Pixels[I];
            Converted[I] = (Pixel & 0xFF00FF00u) | ((Pixel & 0xFF) << 16) | ((Pixel >> 16) & 0xFF);
        }
        SDL_UpdateTexture(Texture, nullptr, Converted.data(), Picture.Width * 4);
        SDL_SetTextureBlendMode(Texture, SDL_BLENDMODE_BLEND);
        FTextures.push_back(Texture);
    }
    return true;
}

void TVelaImage::DestroyTextures() {
    for (SDL_Texture* Texture : FTextures)
        SDL_DestroyTexture(Texture);
    FTextures.clear();
}

bool TVelaImage::Notify(TVelaPublisher*, int Message) {
    switch (Message) {
    case vnInitialize:
    case vnReset:
        if (!FTexturePictures.empty() && FTextures.empty())
            CreateTextures();
        break;
    case vnFinalize:
    case vnLost:
        DestroyTextures();
        break;
    default:
        break;
    }
    return true;
}
