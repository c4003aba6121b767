#pragma once

#include "THeadlessDevice.h"

#include "app/Globals.h"
#include "engine/TEngine.h"
#include "render/TInputState.h"
#include "render/TVelaCanvas.h"
#include "render/TVelaFontsAlt.h"
#include "render/TVelaKeyboard.h"
#include "render/TVelaMouse.h"
#include "render/TVelaTimer.h"
#include "runtime/TFakeClock.h"
#include "runtime/TPngEncoder.h"

#include <filesystem>
#include <fstream>
#include <memory>

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
