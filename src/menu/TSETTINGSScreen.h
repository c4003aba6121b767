#pragma once

#include "engine/TEngineAnimButtonEx.h"
#include "engine/TEngineCheckBox.h"
#include "engine/TEngineCutLabel.h"
#include "engine/TEngineTextButton.h"
#include "menu/TLanguageChoice.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>

class TEngine;

// The video and music options and the language, edited on the screen and copied into Settings only on
// Apply, and the eleven key bindings of the active profile, changed at once by waiting for the next key.
class TSETTINGSScreen {
  public:
    explicit TSETTINGSScreen(TEngine& Engine);

    // The boxes as Settings holds them; on every entry, so a cancelled visit leaves no trace.
    void Load();
    // The boxes and the language into Settings. The window mode changes at once, the language with the
    // menu's next frame, the rest at the next start.
    void Apply();
    // The main window switching between full screen and a window, when Apply changes the mode.
    std::function<void(bool Windowed)> OnWindowedChanged;
    // Draws and runs the screen, and while a binding is being changed waits for its key (Esc gives up and
    // keeps the old one); once per frame.
    void Run();
    // The boxes' paired rules and the key buttons; false for actions that are not this screen's own
    // (Apply and Cancel leave the screen, which is the menu's business).
    bool OnClick(const std::string& Action);

    // Tab (next weapon) and F1 (help) are fixed and can never be bound.
    static constexpr int FixedKeys[2] = {15, 59};
    static constexpr uint32_t BadKeyMilliseconds = 2000;

    // 0 idle, 1 waiting for a key, 2 showing that the key was refused.
    int CaptureState = 0;
    // The binding being changed: "L", "R", "SU", "SD", "BO", "WU", "WD", "W", "PM", "F" or "E".
    std::string CaptureTarget;
    uint32_t BadKeyTick = 0;
    // The window mode the box was last set from; Alt+Enter can change the mode while the screen is up.
    bool WindowedShown = false;

    TEngineCutLabel HardwareInfo;
    TEngineCheckBox MusicBox;
    TEngineCutLabel InfoLabel;
    TEngineCutLabel SteeringLabel;
    TEngineCutLabel WFireInfoLabel;
    TEngineAnimButtonEx Cancel;
    // Not "Apply": that name belongs to the operation.
    TEngineAnimButtonEx ApplyButton;
    TEngineCheckBox AntialiasingBox;
    TEngineCheckBox DitheringBox;
    TEngineCheckBox BitDepth16Box;
    TEngineCheckBox BitDepth32Box;
    TEngineCheckBox VSyncBox;
    TEngineCheckBox HardwareBox;
    TEngineCheckBox DoubleBox;
    TEngineCheckBox TripleBox;
    TEngineCheckBox WindowedBox;
    TLanguageChoice LanguageChoice;
    TEngineTextButton KeyLeft;
    TEngineTextButton KeyRight;
    TEngineTextButton KeySpeedUp;
    TEngineTextButton KeySpeedDwn;
    TEngineTextButton KeyBoost;
    TEngineTextButton KeyWpnUp;
    TEngineTextButton KeyWpnDn;
    TEngineTextButton KeyWFire;
    TEngineTextButton KeyPlantMine;
    TEngineTextButton KeyFPS;
    TEngineTextButton KeyExit;

  private:
    void DrawCaptions();
    void RunWidgets();
    void RunCapture();
    void RunBadKey();
    // Esc during a capture: the binding keeps its key. True when the capture was given up.
    bool CaptureCancelled();
    // Whether Code may be given to the binding being changed: not a fixed key, not another action's key.
    bool Acceptable(int Code) const;
    void SetInputEnabled(bool Enabled);
    // In the order they are run.
    std::array<TEngineCheckBox*, 10> Boxes();
    std::array<TEngineTextButton*, 11> KeyButtons();
    // The profile's binding for a target code; nullptr for an unknown code.
    static int* BindingOf(const std::string& Target);

    TEngine& EngineRef;
};
