#include "render/TVelaDevice.h"

#include <cstdio>

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
    if (FInitialized)
        Reset();
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
        // Made full screen from the start: switching afterwards can leave the renderer with the old size.
        FWindow =
            SDL_CreateWindow(Caption.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, FWidth, FHeight,
                             SDL_WINDOW_SHOWN | (FWindowed ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP));
        if (FWindow == nullptr) {
            std::fprintf(stderr, "Zerathon: cannot open the window: %s\n", SDL_GetError());
            Finalize();
            return false;
        }
        SDL_RaiseWindow(FWindow);
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
    if (ClearFirst) {
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
    return SDL_RenderReadPixels(FRenderer, nullptr, SDL_PIXELFORMAT_ABGR8888, Picture.Pixels.data(),
                                OutputWidth * 4) == 0;
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
    SDL_SetWindowFullscreen(FWindow, FWindowed ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
    if (FWindowed)
        SDL_SetWindowSize(FWindow, FWidth, FHeight);
}
