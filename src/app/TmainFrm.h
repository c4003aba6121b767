#pragma once

#include "app/TCommandLine.h"
#include "app/TEventPump.h"
#include "app/TFrameClock.h"
#include "app/TGamepadMapper.h"
#include "app/TInputRecorder.h"
#include "particles/TMessage.h"
#include "render/TInputScript.h"
#include "render/TInputState.h"
#include "render/TVelaCanvas.h"
#include "render/TVelaDevice.h"
#include "render/TVelaFontsAlt.h"
#include "render/TVelaKeyboard.h"
#include "render/TVelaMouse.h"
#include "render/TVelaTimer.h"
#include "runtime/TSystemClock.h"

#include <memory>
#include <optional>
#include <ostream>
#include <string>

// The program's main object: the window with its five components, start-up and shutdown, and the
// frame loop with the game-state machine.
class TmainFrm {
  public:
    // A headless run on a script that has run out, with no --frames to end it, would run for ever: it
    // ends, saying so, this many game frames (ten seconds of game time) after the script's last event.
    static constexpr int ScriptGraceFrames = 1000;

    explicit TmainFrm(const TCommandLine& Options);
    ~TmainFrm();
    TmainFrm(const TmainFrm&) = delete;
    TmainFrm& operator=(const TmainFrm&) = delete;

    // Start-up; false when the program has to end at once (a message has been shown).
    bool FormCreate();
    // The exit status after a failed start-up: 2 for a refused input script, like a bad option; else 1.
    int FailureStatus() const { return ScriptRefused ? 2 : 1; }
    // One pass of the message loop: pending events, scripted input, then the timer's idle handler.
    void RunOnce();
    // The message loop until the window closes, then shutdown; the exit status: 1 when a screenshot asked
    // for could not be made, else 0.
    int Run();
    void Close() { Closing = true; }
    bool Closed() const { return Closing; }
    void FormDestroy();

    void LoadSettings();
    void SetSettings();
    void SaveSettings();
    // Shows the game in a window (true) or full screen at once, and keeps the choice in Settings.ini.
    void ApplyWindowed(bool Windowed);

    // Game frames run so far, 100 to the second of game time.
    int GameFrames() const { return FrameNumber; }

    // Where a clicked widget's action name is carried out.
    static void OnWidgetClick(const std::string& Action);

    TCommandLine Options;
    TSystemClock RealClock;
    // The displayed frames' clock: real time, or the fixed steps of --step-ms and a script's clock lines.
    TFrameClock FrameClock{RealClock};
    // The game's clock: exactly one game frame's length further for every game frame.
    TFakeClock GameClock;
    // For tests: the game's clock, moved on by hand between frames.
    TFakeClock* FakeClock = &GameClock;
    TInputState Input;
    TInputScript Script;
    TVelaDevice VelaDevice;
    std::unique_ptr<TVelaCanvas> VelaCanvas;
    TVelaTimer VelaTimer;
    TVelaKeyboard VelaKeyboard;
    TVelaMouse VelaMouse;
    std::unique_ptr<TVelaFontsAlt> FontList;
    // Notices of the program itself, over whatever screen is up (a screenshot taken).
    TMessage Notices;
    // Where --state-hash lines go.
    std::ostream* StateHashOutput;
    // Whether frames reach the pixels at all (--no-raster and benchmarks clear it); when set, the last game
    // frame of every displayed frame is drawn and the others only run.
    bool DrawFrames = true;

  private:
    void ControlEverything();
    void LoadLanguage();
    void InitGraph();
    void CreateFonts();
    void CreateGame();
    void StartLevelDirectly(const std::string& Name);

    void VelaTimerTimer();
    // The input that arrives before the next game frame: the script's, and what the window did. False
    // when the window is to close.
    bool TakeInput();
    // One game frame; Shown: it is the displayed frame's last, the one the player sees.
    void RunGameFrame(bool Shown);
    bool ScreenshotAsked(int Frame) const;
    void EndAfterScript();
    void VelaTimerProcess();
    void VelaDeviceRender();
    void DrawDebugInfo();
    void MenuInput();
    void LoopMenu();
    void LoopUvod();
    void GameInput();
    void LoopPreGame();
    void DrawBriefing();
    void StepBriefing();
    void LoopGame();
    void AccountPause();
    void StepStartCaption();
    void TakeScreenshots();
    // The frame just drawn, opaque, as a screenshot shows it.
    bool ReadFrame(TPicture& Frame) const;
    void SaveScreenshot();

    // What the window, the keyboard's system chord and the pads did since the last pass.
    void FollowInput();
    void FollowWindow();
    bool Flying() const;
    // A close of the window in a mission opens the exit question instead (true); with the question
    // already open, or outside a mission, the window closes (false).
    bool AskToLeaveMission();
    void PauseSound(bool Pause);
    void HoldMouse();
    TGamepadMapper::TMode PadMode() const;
    // A run on fixed clock steps or without a window: the same input always gives the same frames.
    bool Deterministic() const { return Options.Headless || Options.StepMs > 0 || Script.SetsClock(); }
    // The clock step --step-ms or the script fixes for the next displayed frame; none on real time.
    std::optional<uint32_t> FixedStep() const;
    void StartRecording(uint32_t Seed);

    std::string SettingsPath() const;
    // What the player must be told about the folders: missing data, or no folder to save into.
    std::string FolderProblem;

    TEventPump EventPump;
    TGamepadMapper Gamepad{Input};
    TInputRecorder Recorder;
    // The window took the game's pause: the sound waits until the player resumes.
    bool PausedByWindow = false;
    bool SoundPaused = false;
    // Game frames run so far.
    int FrameNumber = 0;
    // F12 was pressed in a game frame that is not shown: the screenshot waits for the next one that is.
    bool ScreenshotKeyed = false;
    // A screenshot asked for on the command line could not be written, or was never reached.
    bool ScreenshotMissed = false;
    // The game frame the input script ran out at; 0 while it has not.
    int ScriptEndFrame = 0;
    bool Closing = false;
    bool Created = false;
    bool Destroyed = false;
    bool ScriptRefused = false;
};
