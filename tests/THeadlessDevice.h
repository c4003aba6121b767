#pragma once

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

// A fresh folder under the system's temporary directory, removed afterwards. Made by mkdtemp, so tests
// running side by side in several processes never share one.
class TTempDir {
  public:
    TTempDir() {
        std::string Pattern = (std::filesystem::temp_directory_path() / "zerathon-test-XXXXXX").string();
        if (::mkdtemp(Pattern.data()) == nullptr)
            throw std::runtime_error("cannot make a temporary folder");
        Path = Pattern;
    }
    ~TTempDir() {
        std::error_code Ignored;
        std::filesystem::remove_all(Path, Ignored);
    }
    std::string operator/(const std::string& Relative) const { return (Path / Relative).string(); }
    std::string Dir() const { return Path.string() + "/"; }

  private:
    std::filesystem::path Path;
};
