#pragma once

#include "THeadlessDevice.h"

#include "app/Globals.h"
#include "engine/TEngine.h"
#include "particles/TExplosion.h"
#include "render/TInputState.h"
#include "render/TVelaCanvas.h"
#include "render/TVelaFontsAlt.h"
#include "render/TVelaKeyboard.h"
#include "render/TVelaMouse.h"
#include "render/TVelaTimer.h"
#include "runtime/TFakeClock.h"
#include "runtime/TPngEncoder.h"
#include "world/TShip.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

enum : int {
    LeftKey = 203,
    RightKey = 205,
    UpKey = 200,
    DownKey = 208,
    BoostKey = 54,
    WeaponUpKey = 201,
    WeaponDownKey = 209,
    FireKey = 29,
    PlantKey = 56
};

// A ship on a headless engine with a fake clock; the test holds keys, moves the mouse and runs frames.
class TShipFixture : public THeadlessDevice {
  protected:
    void SetUp() override {
        THeadlessDevice::SetUp();
        ::Clock = &FakeClock;
        Game.Keys = {LeftKey,       RightKey, UpKey,    DownKey, BoostKey, WeaponUpKey,
                     WeaponDownKey, FireKey,  PlantKey, 88,      1};
        ASSERT_TRUE(Mouse.Initialize() && Keyboard.Initialize());
        std::filesystem::create_directories(Dir / "Graphic");
        ASSERT_TRUE(TPngEncoder::Save(Dir / "Graphic/curArrow.png", SolidPicture(32, 32, 0xFFFFFFFFu)));
    }

    void TearDown() override {
        Ship.reset();
        Explosion.reset();
        Engine.reset();
        ResetGlobals();
    }

    // The engine over a texture list, then the ship as the level loader leaves it.
    void Launch(const std::string& ProgramDir, const std::string& TextureList) {
        Engine =
            std::make_unique<TEngine>(ProgramDir, TextureList, Timer, Canvas, Device, Mouse, Keyboard, Fonts);
        ::ProgramDir = ZERATHON_SOURCE_DIR "/data/";
        Explosion = std::make_unique<TExplosion>(*Engine);
        Ship = std::make_unique<TShip>(*Engine);
        Ship->Boost = 100.0;
        Ship->Speed = 1.001;
    }
    void Launch(const std::string& List = "[Textures]\nCount=0\n") {
        std::ofstream(Dir / "Graphic/Textures.ini") << List;
        Launch(Dir.Dir(), Dir / "Graphic/Textures.ini");
    }

    void Hold(int Key) { Input.KeyEvent(Key, true); }
    static bool EngineBurning() { return Explosion->EngineA.Running() && Explosion->EngineB.Running(); }
    static bool BoostBurning() { return Explosion->BoostA.Running() && Explosion->BoostB.Running(); }
    void Release(int Key) { Input.KeyEvent(Key, false); }
    // Frames of play: the clock moves on, input is polled, the ship runs. At 20 ms each takes a step.
    void Frames(int Count, uint32_t Milliseconds = 10) {
        for (int I = 0; I < Count; ++I) {
            FakeClock.Advance(Milliseconds);
            Keyboard.Update();
            Mouse.Update();
            Ship->Run();
        }
    }
    void Steps(int Count) { Frames(Count, 20); }

    TTempDir Dir;
    TFakeClock FakeClock{1000};
    TInputState Input;
    TVelaTimer Timer{FakeClock};
    TVelaCanvas Canvas{Device};
    TVelaMouse Mouse{Input};
    TVelaKeyboard Keyboard{Input};
    TVelaFontsAlt Fonts{Device};
    std::unique_ptr<TEngine> Engine;
    std::unique_ptr<TShip> Ship;
};
