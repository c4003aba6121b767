#include "render/TVelaDevice.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {
std::vector<SDL_Rect> Displays() {
    std::vector<SDL_Rect> Bounds;
    for (int Index = 0; Index < SDL_GetNumVideoDisplays(); ++Index) {
        SDL_Rect Rect;
        if (SDL_GetDisplayBounds(Index, &Rect) == 0)
            Bounds.push_back(Rect);
    }
    return Bounds;
}
} // namespace

TVelaDevice::~TVelaDevice() {
    Finalize();
}

void TVelaDevice::SetSize(int Width, int Height) {
    if (FInitialized)
        return;
    FWidth = Width;
    FHeight = Height;
}

void TVelaDevice::SetBitDepth(TBitDepth Value) {
    // The colour depth is chosen when the device starts and cannot change under it.
    if (!FInitialized)
        FBitDepth = Value;
}

void TVelaDevice::SetWindowed(bool Value) {
    if (FWindowed == Value)
        return;
    FWindowed = Value;
    // The renderer follows the window to its new size by itself; a renderer made anew while the window
    // manager is still resizing would keep drawing into the old size.
    if (FWindow != nullptr)
        ApplyWindowMode();
}

void TVelaDevice::SetVSync(bool Value) {
    if (FVSync == Value)
        return;
    FVSync = Value;
    if (FInitialized)
        Reset();
}

void TVelaDevice::SetHardwareTL(bool Value) {
    if (FHardwareTL == Value)
        return;
    FHardwareTL = Value;
    if (FInitialized)
        Reset();
}

bool TVelaDevice::Initialize() {
    if (FInitialized)
        return false;
    if (!Headless) {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
            std::fprintf(stderr, "Zerathon: cannot start video: %s\n", SDL_GetError());
            return false;
        }
        FVideoStarted = true;
        const bool Placed = FPlace.Fits(Displays());
        if (!Placed)
            FPlace = TWindowPlace{};
        const int X = Placed ? FPlace.X : SDL_WINDOWPOS_CENTERED;
        const int Y = Placed ? FPlace.Y : SDL_WINDOWPOS_CENTERED;
        // Made full screen from the start: switching afterwards can leave the renderer with the old size.
        FWindow = SDL_CreateWindow(Caption.c_str(), X, Y, FPlace.Width, FPlace.Height,
                                   SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE |
                                       (FWindowed ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP));
        if (FWindow == nullptr) {
            std::fprintf(stderr, "Zerathon: cannot open the window: %s\n", SDL_GetError());
            Finalize();
            return false;
        }
        SDL_SetWindowMinimumSize(FWindow, TWindowPlace::MinWidth, TWindowPlace::MinHeight);
        SDL_RaiseWindow(FWindow);
        NoteWindowPlace();
    }
    if (!CreateRenderer()) {
        Finalize();
        return false;
    }
    FInitialized = true;
    FLost = false;
    bool Success = NotifyAll(vnInitialize);
    if (Success && OnInitialize)
        OnInitialize(*this, Success);
    if (!Success) {
        Finalize();
        return false;
    }
    return true;
}

void TVelaDevice::Finalize() {
    if (FInitialized) {
        bool Success = true;
        if (OnFinalize)
            OnFinalize(*this, Success);
        NotifyAll(vnFinalize);
        FInitialized = false;
    }
    DestroyRenderer();
    if (FWindow != nullptr) {
        SDL_DestroyWindow(FWindow);
        FWindow = nullptr;
    }
    if (FVideoStarted) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        FVideoStarted = false;
    }
}

bool TVelaDevice::Reset() {
    if (!FInitialized)
        return false;
    NotifyAll(vnLost);
    FLost = true;
    DestroyRenderer();
    if (FWindow != nullptr)
        ApplyWindowMode();
    if (!CreateRenderer())
        return false;
    FLost = false;
    return NotifyAll(vnReset);
}

void TVelaDevice::HandleDeviceReset() {
    if (!FInitialized)
        return;
    NotifyAll(vnLost);
    NotifyAll(vnReset);
}

bool TVelaDevice::Render(uint32_t Colour, bool ClearFirst) {
    if (!FInitialized || FRenderer == nullptr || !OnRender)
        return false;
    // A frame that is not rasterised leaves the picture as it is.
    if (ClearFirst && Rasterise) {
        SDL_SetRenderDrawColor(FRenderer, Colour & 0xFF, (Colour >> 8) & 0xFF, (Colour >> 16) & 0xFF,
                               (Colour >> 24) & 0xFF);
        SDL_RenderClear(FRenderer);
    }
    NotifyAll(vnBeginScene);
    OnRender(*this);
    NotifyAll(vnEndScene);
    return true;
}

bool TVelaDevice::Flip() {
    if (!FInitialized || FRenderer == nullptr)
        return false;
    SDL_RenderPresent(FRenderer);
    return true;
}

bool TVelaDevice::ReadPixels(TPicture& Picture) const {
    if (FRenderer == nullptr)
        return false;
    int OutputWidth = FWidth;
    int OutputHeight = FHeight;
    if (FOffscreen == nullptr)
        SDL_GetRendererOutputSize(FRenderer, &OutputWidth, &OutputHeight);
    Picture.Width = OutputWidth;
    Picture.Height = OutputHeight;
    Picture.Pixels.assign(static_cast<size_t>(OutputWidth) * OutputHeight, 0);
    // ABGR8888 on a little-endian machine is exactly the game's convention: red in the lowest byte.
    if (SDL_RenderReadPixels(FRenderer, nullptr, SDL_PIXELFORMAT_ABGR8888, Picture.Pixels.data(),
                             OutputWidth * 4) != 0)
        return false;
    // A window of another shape shows the picture letterboxed; what is read is the picture alone, from
    // the top-left corner of the buffer.
    SDL_Rect Viewport;
    float ScaleX = 1;
    float ScaleY = 1;
    SDL_RenderGetViewport(FRenderer, &Viewport);
    SDL_RenderGetScale(FRenderer, &ScaleX, &ScaleY);
    const int ShownWidth = std::clamp(static_cast<int>(std::floor(Viewport.w * ScaleX)), 1, OutputWidth);
    const int ShownHeight = std::clamp(static_cast<int>(std::floor(Viewport.h * ScaleY)), 1, OutputHeight);
    if (ShownWidth == OutputWidth && ShownHeight == OutputHeight)
        return true;
    for (int Row = 0; Row < ShownHeight; ++Row)
        std::copy_n(Picture.Pixels.begin() + static_cast<ptrdiff_t>(Row) * OutputWidth, ShownWidth,
                    Picture.Pixels.begin() + static_cast<ptrdiff_t>(Row) * ShownWidth);
    Picture.Width = ShownWidth;
    Picture.Height = ShownHeight;
    Picture.Pixels.resize(static_cast<size_t>(ShownWidth) * ShownHeight);
    return true;
}

bool TVelaDevice::CreateRenderer() {
    FAccelerated = false;
    if (Headless) {
        FOffscreen = SDL_CreateRGBSurfaceWithFormat(0, FWidth, FHeight, 32, SDL_PIXELFORMAT_ARGB8888);
        if (FOffscreen == nullptr) {
            std::fprintf(stderr, "Zerathon: cannot create the offscreen target: %s\n", SDL_GetError());
            return false;
        }
        FRenderer = SDL_CreateSoftwareRenderer(FOffscreen);
    } else {
        Uint32 VSyncFlag = FVSync ? SDL_RENDERER_PRESENTVSYNC : 0;
        if (FHardwareTL) {
            FRenderer = SDL_CreateRenderer(FWindow, -1, SDL_RENDERER_ACCELERATED | VSyncFlag);
            FAccelerated = FRenderer != nullptr;
        }
        if (FRenderer == nullptr)
            FRenderer = SDL_CreateRenderer(FWindow, -1, SDL_RENDERER_SOFTWARE | VSyncFlag);
    }
    if (FRenderer == nullptr) {
        std::fprintf(stderr, "Zerathon: cannot create a renderer: %s\n", SDL_GetError());
        return false;
    }
    // The game always draws 1024 x 768; a larger window or full screen letterboxes it.
    SDL_RenderSetLogicalSize(FRenderer, FWidth, FHeight);
    return true;
}

void TVelaDevice::DestroyRenderer() {
    if (FRenderer != nullptr) {
        SDL_DestroyRenderer(FRenderer);
        FRenderer = nullptr;
    }
    if (FOffscreen != nullptr) {
        SDL_FreeSurface(FOffscreen);
        FOffscreen = nullptr;
    }
}

void TVelaDevice::ApplyWindowMode() {
    // Back in a window, SDL puts it where it was before it went full screen.
    SDL_SetWindowFullscreen(FWindow, FWindowed ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
}

void TVelaDevice::NoteWindowPlace() {
    if (FWindow == nullptr)
        return;
    const Uint32 NotPlain = SDL_WINDOW_FULLSCREEN | SDL_WINDOW_MAXIMIZED | SDL_WINDOW_MINIMIZED;
    if ((SDL_GetWindowFlags(FWindow) & NotPlain) != 0)
        return;
    SDL_GetWindowPosition(FWindow, &FPlace.X, &FPlace.Y);
    SDL_GetWindowSize(FWindow, &FPlace.Width, &FPlace.Height);
    // X11 window managers put the frame, not the inside, where a new window is asked to go: keeping the
    // inside's place would move the window down by its title bar on every start.
    const char* Driver = SDL_GetCurrentVideoDriver();
    int Top = 0;
    int Left = 0;
    if (Driver != nullptr && SDL_strcmp(Driver, "x11") == 0 &&
        SDL_GetWindowBordersSize(FWindow, &Top, &Left, nullptr, nullptr) == 0) {
        FPlace.X -= Left;
        FPlace.Y -= Top;
    }
}

void TVelaDevice::PlacePointer(int X, int Y) {
    if (FWindow == nullptr || FRenderer == nullptr)
        return;
    int WindowX = 0;
    int WindowY = 0;
    SDL_RenderLogicalToWindow(FRenderer, static_cast<float>(X), static_cast<float>(Y), &WindowX, &WindowY);
    SDL_WarpMouseInWindow(FWindow, WindowX, WindowY);
}
