#pragma once

#include "THeadlessDevice.h"

#include "app/Globals.h"
#include "engine/TEngine.h"
#include "render/TInputState.h"
#include "render/TVelaCanvas.h"
#include "render/TVelaFontAlt.h"
#include "render/TVelaFontsAlt.h"
#include "render/TVelaKeyboard.h"
#include "render/TVelaMouse.h"
#include "render/TVelaTimer.h"
#include "runtime/TFakeClock.h"
#include "runtime/TPngEncoder.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

// The main window's components on a started headless device, an engine over an empty texture list, and
// the game's clock pointing at a fake one, for testing world objects one by one.
class THeadlessEngine : public THeadlessDevice {
  protected:
    void SetUp() override {
        THeadlessDevice::SetUp();
        Clock = &TestClock;
        std::filesystem::create_directories(Dir / "Graphic");
        std::ofstream(Dir / "Graphic/Textures.ini") << "[Textures]\nCount=0\n";
        ASSERT_TRUE(TPngEncoder::Save(Dir / "Graphic/curArrow.png", SolidPicture(32, 32, 0xFFFFFFFFu)));
        TestEngine = std::make_unique<TEngine>(Dir.Dir(), Dir / "Graphic/Textures.ini", Timer, Canvas, Device,
                                               Mouse, Keyboard, Fonts);
    }

    void TearDown() override {
        TestEngine.reset();
        ResetGlobals();
    }

    // The game's font file as the face "BEWARE", in one font of each of Sizes, numbered in that order.
    // False when the file cannot be registered or a font cannot be made.
    bool AddGameFonts(const std::vector<int>& Sizes) {
        if (!Fonts.RegisterFontFile("BEWARE", ZERATHON_SOURCE_DIR "/data/Text/BEWARE__.ttf"))
            return false;
        for (int Size : Sizes) {
            TVelaFontAlt& Font = Fonts.Add();
            Font.Name = "BEWARE";
            Font.Size = Size;
            if (!Font.Initialize())
                return false;
        }
        return true;
    }

    TTempDir Dir;
    TFakeClock TestClock;
    TInputState Input;
    TVelaTimer Timer{TestClock};
    TVelaCanvas Canvas{Device};
    TVelaMouse Mouse{Input};
    TVelaKeyboard Keyboard{Input};
    TVelaFontsAlt Fonts{Device};
    std::unique_ptr<TEngine> TestEngine;
};
