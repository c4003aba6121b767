#pragma once

#include "FuzzSupport.h"
#include "TTempDir.h"
#include "app/Globals.h"
#include "engine/TEngine.h"
#include "render/TInputState.h"
#include "render/TVelaCanvas.h"
#include "render/TVelaDevice.h"
#include "render/TVelaFontsAlt.h"
#include "render/TVelaImage.h"
#include "render/TVelaKeyboard.h"
#include "render/TVelaMouse.h"
#include "render/TVelaTimer.h"
#include "runtime/TFakeClock.h"
#include "runtime/TFile.h"
#include "runtime/TMessageBox.h"
#include "runtime/TPngEncoder.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>

// What the harnesses that draw or need an engine run on, made once per process: a small headless
// screen with its canvas and input devices, the game's clock on a fake one, and a program folder
// holding an empty texture list and the cursor picture. Message boxes are counted, not shown, so a
// harness can check how many a file caused.
class TFuzzStage {
  public:
    static constexpr int Width = 64, Height = 48;

    // Called once at the start of each input, which is a frame to the canvas: the game clears its
    // counters every frame, and millions of inputs would otherwise overflow them.
    static TFuzzStage& Get() {
        static TFuzzStage Stage;
        Stage.Canvas.ResetCounters();
        return Stage;
    }

    // An engine over the empty texture list, made on first use.
    TEngine& GameEngine() {
        if (!EmptyEngine)
            EmptyEngine = NewEngine(File("Graphic/Textures.ini"));
        return *EmptyEngine;
    }

    // Four 16 x 16 cells in one texture, like the game's particle sprites but smaller: every pixel drawn
    // costs the fuzzer time.
    TVelaImage& Sprites() {
        if (!SpriteImage) {
            SpriteImage = std::make_unique<TVelaImage>(Device);
            SpriteImage->SetTextureSize(64, 16);
            SpriteImage->SetPatternSize(16, 16);
            SpriteImage->SetVisibleSize(16, 16);
            TPicture Picture;
            Picture.Width = 64;
            Picture.Height = 16;
            Picture.Pixels.assign(64 * 16, 0x80FFFFFFu);
            Check(SpriteImage->LoadFromPicture(Picture, false, 0, 0));
        }
        return *SpriteImage;
    }

    std::unique_ptr<TEngine> NewEngine(const std::string& TexturesPath) {
        return std::make_unique<TEngine>(Folder, TexturesPath, Timer, Canvas, Device, Mouse, Keyboard, Fonts);
    }

    // A file in the stage's program folder, written with Contents (plainly: harnesses write one per input,
    // and an atomic write waits for the disk).
    std::string Put(const std::string& Name, const std::string& Contents) {
        const std::string Path = File(Name);
        std::ofstream(Path, std::ios::binary | std::ios::trunc) << Contents;
        return Path;
    }
    std::string File(const std::string& Name) const { return Folder + Name; }

    TFakeClock FakeClock;
    TInputState Input;
    TVelaTimer Timer{FakeClock};
    TVelaDevice Device;
    TVelaCanvas Canvas{Device};
    TVelaMouse Mouse{Input};
    TVelaKeyboard Keyboard{Input};
    TVelaFontsAlt Fonts{Device};
    int Messages = 0;

  private:
    // In memory where the system offers it, since some harnesses write a file for every input.
    TFuzzStage()
        : Temp(std::filesystem::is_directory("/dev/shm") ? "/dev/shm"
                                                         : std::filesystem::temp_directory_path(),
               "zerathon-fuzz-"),
          Folder(Temp.Dir()) {
        ProgramDir = Folder;
        Clock = &FakeClock;
        TMessageBox::Hook = [this](const std::string&, const std::string&, bool) { ++Messages; };
        Device.Headless = true;
        Device.SetSize(Width, Height);
        Check(Device.Initialize());
        Check(TFile::MakeDirectory(File("Graphic")));
        Put("Graphic/Textures.ini", "[Textures]\nCount=0\n");
        TPicture Cursor;
        Cursor.Width = Cursor.Height = 32;
        Cursor.Pixels.assign(32 * 32, 0xFFFFFFFFu);
        Check(TPngEncoder::Save(File("Graphic/curArrow.png"), Cursor));
    }
    ~TFuzzStage() {
        EmptyEngine.reset();
        SpriteImage.reset();
    }

    TTempDir Temp;
    std::string Folder;
    std::unique_ptr<TEngine> EmptyEngine;
    std::unique_ptr<TVelaImage> SpriteImage;
};
