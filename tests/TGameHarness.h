#pragma once

#include "THeadlessDevice.h"

#include "app/Globals.h"
#include "app/TmainFrm.h"
#include "runtime/TSystemLocale.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

// A copy of the game's data in a fresh folder, and the real game running in it headless on a fake
// clock of 10 ms per displayed frame (StepMs), one game frame each.
class TGameHarness : public testing::Test {
  protected:
    void SetUp() override {
        Dir.CopyIn(ZERATHON_SOURCE_DIR "/data");
        // A fresh installation speaks the system's language: the tests' machine is Czech.
        TSystemLocale::Override = std::vector<std::string>{"cs"};
    }

    void TearDown() override {
        Frm.reset();
        ResetGlobals();
        TSystemLocale::Override.reset();
    }

    void Start(const std::string& Script = "") {
        TCommandLine Options;
        Options.DataDir = Dir.Dir();
        Options.Headless = true;
        Options.StepMs = StepMs;
        Options.HasSeed = true;
        Options.Seed = 1;
        if (!Script.empty()) {
            std::ofstream(Dir / "input.txt") << Script;
            Options.InputFile = Dir / "input.txt";
        }
        Frm = std::make_unique<TmainFrm>(Options);
        Frm->DrawFrames = Draw;
        ASSERT_TRUE(Frm->FormCreate());
    }

    // Runs displayed frames until Count more game frames have run, or the game has closed.
    void Frames(int Count) {
        const int Target = Frm->GameFrames() + Count;
        while (Frm->GameFrames() < Target && !Frm->Closed())
            Frm->RunOnce();
    }

    void Press(int Key) {
        Frm->Input.KeyEvent(Key, true);
        Frames(1);
        Frm->Input.KeyEvent(Key, false);
    }

    std::string Read(const std::string& Relative) {
        std::ifstream File(Dir / Relative, std::ios::binary);
        std::stringstream Text;
        Text << File.rdbuf();
        return Text.str();
    }

    void Write(const std::string& Relative, const std::string& Text) {
        std::ofstream(Dir / Relative, std::ios::binary) << Text;
    }

    TPicture Screen() {
        TPicture Frame;
        EXPECT_TRUE(Frm->VelaDevice.ReadPixels(Frame));
        return Frame;
    }

    // The next frame run and drawn, as the screen shows it.
    TPicture DrawnScreen() {
        Frm->DrawFrames = true;
        Frames(1);
        Frm->DrawFrames = Draw;
        return Screen();
    }

    static int CountPixels(const TPicture& Frame, int Left, int Top, int Right, int Bottom,
                           bool (*Test)(uint32_t)) {
        int Count = 0;
        for (int Y = Top; Y < Bottom; ++Y)
            for (int X = Left; X < Right; ++X)
                Count += Test(Frame.At(X, Y));
        return Count;
    }

    TTempDir Dir;
    int StepMs = 10;
    // Only tests that look at pixels rasterise (under the sanitizers it is most of a frame's time), and
    // those best only the frames they look at (DrawnScreen).
    bool Draw = false;
    std::unique_ptr<TmainFrm> Frm;
};
