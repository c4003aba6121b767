#pragma once

#include "render/TVelaPublisher.h"
#include "render/TWindowPlace.h"
#include "runtime/TPicture.h"

#include <SDL.h>

#include <functional>
#include <string>

enum TBitDepth { bdLow, bdHigh };

// The rendering device: the window and its renderer, and the frame cycle. In a headless run it renders
// with the software renderer into an offscreen surface that tests and screenshots read back.
class TVelaDevice : public TVelaPublisher {
  public:
    TVelaDevice() = default;
    ~TVelaDevice() override;
    TVelaDevice(const TVelaDevice&) = delete;
    TVelaDevice& operator=(const TVelaDevice&) = delete;

    bool Initialize();
    void Finalize();
    // Rebuilds the renderer with the current properties; subscribers hear lost, then reset.
    bool Reset();
    bool Render(uint32_t Colour, bool ClearFirst);
    bool Flip();

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetSize(int Width, int Height);
    TBitDepth BitDepth() const { return FBitDepth; }
    void SetBitDepth(TBitDepth Value);
    int Refresh() const { return FRefresh; }
    void SetRefresh(int Value) { FRefresh = Value; }
    bool Windowed() const { return FWindowed; }
    void SetWindowed(bool Value);
    bool VSync() const { return FVSync; }
    void SetVSync(bool Value);
    bool HardwareTL() const { return FHardwareTL; }
    void SetHardwareTL(bool Value);
    bool DepthBuffer() const { return FDepthBuffer; }
    void SetDepthBuffer(bool Value) { FDepthBuffer = Value; }

    std::function<void(TVelaDevice& Sender, bool& Success)> OnInitialize;
    std::function<void(TVelaDevice& Sender, bool& Success)> OnFinalize;
    std::function<void(TVelaDevice& Sender)> OnRender;

    // Set before Initialize: no window, software rendering into an offscreen surface.
    bool Headless = false;
    // Off for game frames that are not shown, and in runs that draw nothing (--no-raster, benchmarks):
    // batches are still built and counted but never reach the renderer, so the game's own cost of a frame
    // can be told apart from the pixel work a graphics card would do.
    bool Rasterise = true;
    std::string Caption = "Zerathon";

    bool Initialized() const { return FInitialized; }
    bool Lost() const { return FLost; }
    bool Accelerated() const { return FAccelerated; }
    SDL_Renderer* Renderer() const { return FRenderer; }
    SDL_Window* Window() const { return FWindow; }
    // The surface the software renderer draws into (the offscreen target or the window's own); none
    // on an accelerated renderer.
    SDL_Surface* SoftwareTarget() const {
        if (FOffscreen != nullptr || FAccelerated || FWindow == nullptr)
            return FOffscreen;
        return SDL_GetWindowSurface(FWindow);
    }

    // The platform reset the renderer's textures (render target or device reset events).
    void HandleDeviceReset();
    // The back buffer as the game would see it, in the game's colour convention.
    bool ReadPixels(TPicture& Picture) const;

    // Where the window is when it is a plain window (not full screen, maximised or minimised). Given
    // before Initialize, it places the window when it fits the desktop; otherwise the window is centred.
    const TWindowPlace& WindowPlace() const { return FPlace; }
    void SetWindowPlace(const TWindowPlace& Place) { FPlace = Place; }
    // Reads the window's place after the player moved or resized it.
    void NoteWindowPlace();
    // Puts the system pointer over a point of the 1024 x 768 picture.
    void PlacePointer(int X, int Y);

  private:
    bool CreateRenderer();
    void DestroyRenderer();
    void ApplyWindowMode();

    int FWidth = 640;
    int FHeight = 480;
    TBitDepth FBitDepth = bdHigh;
    int FRefresh = 0;
    bool FWindowed = true;
    bool FVSync = false;
    bool FHardwareTL = true;
    bool FDepthBuffer = false;

    bool FInitialized = false;
    bool FLost = false;
    bool FAccelerated = false;
    bool FVideoStarted = false;
    SDL_Window* FWindow = nullptr;
    SDL_Renderer* FRenderer = nullptr;
    SDL_Surface* FOffscreen = nullptr;
    TWindowPlace FPlace;
};
