#pragma once

#include "app/TCommandLine.h"
#include "app/TEventPump.h"
#include "render/TInputScript.h"
#include "render/TInputState.h"
#include "render/TVelaCanvas.h"
#include "render/TVelaDevice.h"
#include "render/TVelaFontsAlt.h"
#include "render/TVelaKeyboard.h"
#include "render/TVelaMouse.h"
#include "render/TVelaTimer.h"
#include "runtime/TClock.h"

#include <memory>
#include <string>

class TEngine;
class TFakeClock;
class TTestScene;

// The program's main object: the window with its five components, the fonts and the service objects,
// and the frame loop that drives them.
class TmainFrm {
  public:
    explicit TmainFrm(const TCommandLine& Options);
    ~TmainFrm();
    TmainFrm(const TmainFrm&) = delete;
    TmainFrm& operator=(const TmainFrm&) = delete;

    // Start-up; false when the program has to end at once (a message has been shown).
    bool FormCreate();
    // One pass of the message loop: pending events, scripted input, then the timer's idle handler.
    void RunOnce();
    // The message loop until the window closes; the exit status.
    int Run();
    void Close() { Closing = true; }
    bool Closed() const { return Closing; }
    void FormDestroy();

    int FramesDrawn() const { return FrameNumber; }
    const std::string& ProgramDir() const { return FProgramDir; }

    TCommandLine Options;
    std::unique_ptr<TClock> Clock;
    TFakeClock* FakeClock = nullptr;
    TInputState Input;
    TInputScript Script;
    TVelaDevice VelaDevice;
    TVelaCanvas VelaCanvas;
    TVelaTimer VelaTimer;
    TVelaKeyboard VelaKeyboard;
    TVelaMouse VelaMouse;
    TVelaFontsAlt Fonts;
    std::unique_ptr<TEngine> Engine;

  private:
    void InitGraph();
    void CreateFonts();
    void VelaTimerTimer();
    void VelaTimerProcess();
    void VelaDeviceRender();
    void TakeScreenshots();

    std::string FProgramDir;
    TEventPump EventPump;
    std::unique_ptr<TTestScene> TestScene;
    int FrameNumber = 0;
    bool Closing = false;
    bool Destroyed = false;
};
