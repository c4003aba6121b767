#pragma once

#include "render/TVelaPublisher.h"
#include "runtime/TPicture.h"
#include "runtime/TPictureLimits.h"

#include <SDL.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TPictureJob;
class TPictureLoader;
class TVelaDevice;

// A picture cut into numbered patterns (animation frames or icons) and packed into textures.
class TVelaImage : public TVelaSubscriber {
  public:
    // Bounds on what a picture may ask of the renderer, whatever its list entry says.
    static constexpr int MaxTextureSide = TPictureLimits::MaxSide;
    static constexpr int MaxTextureCount = 256;

    explicit TVelaImage(TVelaDevice& Device);
    ~TVelaImage() override;
    TVelaImage(const TVelaImage&) = delete;
    TVelaImage& operator=(const TVelaImage&) = delete;

    std::string Name = "[unnamed]";
    int Quality = 2;
    int AlphaLevel = 2;

    // Sizes can be changed only before loading.
    void SetTextureSize(int Width, int Height);
    void SetPatternSize(int Width, int Height);
    void SetVisibleSize(int Width, int Height);
    void SetPatternCount(int Count);
    SDL_Point TextureSize() const { return FTextureSize; }
    SDL_Point PatternSize() const { return FPatternSize; }
    SDL_Point VisibleSize() const { return FVisibleSize; }
    int PatternCount() const { return FPatternCount; }

    // A texture size above LargestTexture, or a picture that would need more than MaxTextureCount textures,
    // is refused. LastError says why and, for a file, names it.
    bool LoadFromFile(const std::string& FileName, bool Mask, uint32_t MaskColour, double Tolerance);
    bool LoadFromPicture(const TPicture& Picture, bool Mask, uint32_t MaskColour, double Tolerance);
    // As LoadFromFile, but only the file's header is read now, so every fault but a damaged body is
    // found here; the loader decodes the rest in the background, or the first use does (which reports
    // a damaged body in a message of its own). Files whose size cannot be read quickly load at once.
    bool LoadFromFileLater(const std::string& FileName, bool Mask, uint32_t MaskColour, double Tolerance,
                           TPictureLoader& Loader);
    // Finishes a later load when its picture is decoded, without waiting; true when nothing is left.
    bool FinishIfDecoded();
    // The renderer's largest texture side, never above MaxTextureSide.
    int LargestTexture() const;
    void Unload();

    // These finish a later load first, waiting for its picture if need be.
    bool Loaded() {
        Finish();
        return FLoaded;
    }
    int TextureCount() {
        Finish();
        return static_cast<int>(FTexturePictures.size());
    }
    SDL_Texture* Texture(int Index);
    const TPicture& TexturePicture(int Index) {
        Finish();
        return FTexturePictures[Index];
    }
    const std::string& LastError() const { return FLastError; }
    bool Pending() const { return Later != nullptr; }

    // Where a pattern lies: its texture and the pixel rectangle of its visible part, plus an optional
    // source rectangle offset from there. The pattern number is clamped into range.
    int ClampPattern(int Pattern) const;
    void PatternRect(int Pattern, int& TextureIndex, SDL_Rect& Rect) const;

    // The colour key's transparency: 0 for an exact match, rising along a sine ramp to 255 at the
    // threshold distance.
    static double MaskThreshold(double Tolerance);
    static uint8_t MaskAlpha(uint32_t Pixel, uint32_t MaskColour, double Threshold);

    bool Notify(TVelaPublisher* Sender, int Message) override;

  private:
    // What a later load still has to do.
    struct TLaterLoad {
        std::shared_ptr<TPictureJob> Job;
        bool Mask;
        uint32_t MaskColour;
        double Tolerance;
    };

    bool Prepare(int Width, int Height);
    int TextureCountFor(int Width, int Height) const;
    void Finish();
    void PackCells(const TPicture& Picture, bool Mask, uint32_t MaskColour, double Tolerance);
    bool CreateTextures();
    bool UploadTextures();
    void DestroyTextures();
    bool Fail(const std::string& Reason);

    TVelaDevice& Device;
    SDL_Point FTextureSize{0, 0};
    SDL_Point FPatternSize{0, 0};
    SDL_Point FVisibleSize{0, 0};
    int FPatternCount = 0;
    int PatternsPerRow = 0;
    int PatternRows = 0;
    int PatternsPerTexture = 0;
    bool FLoaded = false;
    std::string FLastError;
    // What the software renderer draws from; kept so the textures can be made again after the renderer
    // is rebuilt.
    std::vector<TPicture> FTexturePictures;
    std::vector<SDL_Texture*> FTextures;
    std::unique_ptr<TLaterLoad> Later;
};
