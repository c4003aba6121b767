#pragma once

#include "TTempDir.h"

#include "render/TVelaDevice.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

// A started software device drawing offscreen, for tests that read pixels back.
class THeadlessDevice : public testing::Test {
  protected:
    void SetUp() override {
        Device.Headless = true;
        Device.SetSize(Width, Height);
        Device.OnRender = [](TVelaDevice&) {};
        ASSERT_TRUE(Device.Initialize());
    }

    uint32_t PixelAt(int X, int Y) {
        TPicture Frame;
        EXPECT_TRUE(Device.ReadPixels(Frame));
        return Frame.At(X, Y);
    }

    void Clear() {
        SDL_SetRenderDrawColor(Device.Renderer(), 0, 0, 0, 255);
        SDL_RenderClear(Device.Renderer());
    }

    static TPicture SolidPicture(int Width, int Height, uint32_t Colour) {
        TPicture Picture;
        Picture.Width = Width;
        Picture.Height = Height;
        Picture.Pixels.assign(static_cast<size_t>(Width) * Height, Colour);
        return Picture;
    }

    int Width = 128;
    int Height = 128;
    TVelaDevice Device;
};
