#include "menu/TSETTINGSScreen.h"

#include "engine/TEngine.h"
#include "engine/TMenuKeys.h"
#include "missions/TProfile.h"
#include "render/TVelaKeyboard.h"
#include "runtime/TClock.h"
#include "runtime/TSettings.h"
#include "text/TText.h"

namespace {

constexpr uint32_t TextColour = 0xFF7EAFB1u, HoverColour = 0xFF32FBFFu, HeadColour = 0xFF32FBFFu;
constexpr uint32_t KeyColour = 0xFF0000FFu;
constexpr int HelpKey = 59;

// A key button, the binding it changes and the row where the bound key's name is shown.
struct TKeyAction {
    const char* Action;
    std::string TText::*Caption;
    const char* Target;
    int TProfile::*Binding;
    int Y;
};

constexpr TKeyAction KeyActions[11] = {
    {"msSETTINGS_Left", &TText::msSETTINGS_Left, "L", &TProfile::BindLeft, 130},
    {"msSETTINGS_Right", &TText::msSETTINGS_Right, "R", &TProfile::BindRight, 150},
    {"msSETTINGS_SpeedUp", &TText::msSETTINGS_SpeedUp, "SU", &TProfile::BindSpeedUp, 170},
    {"msSETTINGS_SpeedDwn", &TText::msSETTINGS_SpeedDwn, "SD", &TProfile::BindSpeedDwn, 190},
    {"msSETTINGS_Boost", &TText::msSETTINGS_Boost, "BO", &TProfile::BindBoost, 210},
    {"msSETTINGS_WpnUp", &TText::msSETTINGS_WpnUp, "WU", &TProfile::BindWpnUp, 390},
    {"msSETTINGS_WpnDn", &TText::msSETTINGS_WpnDn, "WD", &TProfile::BindWpnDn, 410},
    {"msSETTINGS_WFire", &TText::msSETTINGS_WFire, "W", &TProfile::BindWFire, 430},
    {"msSETTINGS_PlantMine", &TText::msSETTINGS_PlantMine, "PM", &TProfile::BindPlantMine, 450},
    {"msSETTINGS_FPS", &TText::msSETTINGS_FPS, "F", &TProfile::BindFPS, 570},
    {"msSETTINGS_Exit", &TText::msSETTINGS_Exit, "E", &TProfile::BindExit, 590},
};
constexpr int HelpRow = 550;
constexpr int LanguageTop = 310;

TEngineAnimButtonEx Button(TEngine& Engine, const std::string& Action, const std::string& Caption, int X,
                           int Anchor) {
    return TEngineAnimButtonEx(Engine, Action, Caption, X, 680, TextColour, 0xFF008000u, Anchor, 1, "button",
                               94, 9, 0, 1, 25, 17, 188, 25);
}

TEngineCheckBox Check(TEngine& Engine, const std::string& Action, const std::string& Caption, int Y) {
    return TEngineCheckBox(Engine, Action, 60, Y, Caption, false, TextColour, HoverColour, 0x60446944u,
                           0xFF446944u, 0xFF446944u, 0);
}

TEngineCutLabel Label(TEngine& Engine, int X, int Y, int Width, const std::string& Text) {
    return TEngineCutLabel(Engine, 0, X, Y, Width, 15, TextColour, Text);
}

TEngineTextButton KeyButton(TEngine& Engine, int Index) {
    const TKeyAction& Key = KeyActions[Index];
    return TEngineTextButton(Engine, 0, GameText.*Key.Caption, 512, Key.Y, TextColour, HoverColour, 0,
                             Key.Action);
}

} // namespace

TSETTINGSScreen::TSETTINGSScreen(TEngine& Engine)
    : HardwareInfo(Label(Engine, 60, 260, 350, GameText.msSETTINGS_HardwareInfo)),
      MusicBox(Check(Engine, "msSETTINGS_Music", GameText.msSETTINGS_Music, 600)),
      InfoLabel(Label(Engine, 60, 480, 370, GameText.msSETTINGS_Info)),
      SteeringLabel(Label(Engine, 512, 240, 350, GameText.msSETTINGS_Steering)),
      WFireInfoLabel(Label(Engine, 512, 480, 350, GameText.msSETTINGS_WFireInfo)),
      Cancel(Button(Engine, "msCREDITS_OK", GameText.msSETTINGS_Cancel, 524, 0)),
      ApplyButton(Button(Engine, "msSETTINGS_Apply", GameText.msSETTINGS_Apply, 500, 2)),
      AntialiasingBox(Check(Engine, "msSETTINGS_Antialiasing", GameText.msSETTINGS_Antialiasing, 130)),
      DitheringBox(Check(Engine, "msSETTINGS_Dithering", GameText.msSETTINGS_Dithering, 160)),
      BitDepth16Box(Check(Engine, "msSETTINGS_BitDepth16", GameText.msSETTINGS_BitDepth16, 415)),
      BitDepth32Box(Check(Engine, "msSETTINGS_BitDepth32", GameText.msSETTINGS_BitDepth32, 445)),
      VSyncBox(Check(Engine, "msSETTINGS_VSync", GameText.msSETTINGS_VSync, 190)),
      HardwareBox(Check(Engine, "msSETTINGS_Hardware", GameText.msSETTINGS_Hardware, 230)),
      DoubleBox(Check(Engine, "msSETTINGS_Double", GameText.msSETTINGS_Double, 350)),
      TripleBox(Check(Engine, "msSETTINGS_Triple", GameText.msSETTINGS_Triple, 380)),
      WindowedBox(Check(Engine, "msSETTINGS_Windowed", GameText.msSETTINGS_Windowed, 565)),
      // Two rows fit above the weapon keys.
      LanguageChoice(Engine, "msSETTINGS_Language_", 512, LanguageTop + 25, 452, 0, 2),
      KeyLeft(KeyButton(Engine, 0)), KeyRight(KeyButton(Engine, 1)), KeySpeedUp(KeyButton(Engine, 2)),
      KeySpeedDwn(KeyButton(Engine, 3)), KeyBoost(KeyButton(Engine, 4)), KeyWpnUp(KeyButton(Engine, 5)),
      KeyWpnDn(KeyButton(Engine, 6)), KeyWFire(KeyButton(Engine, 7)), KeyPlantMine(KeyButton(Engine, 8)),
      KeyFPS(KeyButton(Engine, 9)), KeyExit(KeyButton(Engine, 10)), EngineRef(Engine) {}

void TSETTINGSScreen::Load() {
    AntialiasingBox.Ticked = Settings.Antialias;
    DitheringBox.Ticked = Settings.Dithering;
    BitDepth16Box.Ticked = Settings.BitDepth == 0;
    BitDepth32Box.Ticked = !BitDepth16Box.Ticked;
    MusicBox.Ticked = Settings.Music;
    VSyncBox.Ticked = Settings.VSync;
    HardwareBox.Ticked = Settings.Hardware;
    DoubleBox.Ticked = Settings.Buffers == 2;
    TripleBox.Ticked = !DoubleBox.Ticked;
    WindowedBox.Ticked = WindowedShown = Settings.Windowed;
    LanguageChoice.Chosen = Settings.Language;
}

void TSETTINGSScreen::Apply() {
    Settings.Antialias = AntialiasingBox.Ticked;
    Settings.Dithering = DitheringBox.Ticked;
    Settings.Music = MusicBox.Ticked;
    Settings.VSync = VSyncBox.Ticked;
    Settings.Hardware = HardwareBox.Ticked;
    Settings.BitDepth = BitDepth16Box.Ticked ? 0 : 1;
    Settings.Buffers = DoubleBox.Ticked ? 2 : 3;
    Settings.Language = LanguageChoice.Chosen;
    if (WindowedBox.Ticked == Settings.Windowed)
        return;
    Settings.Windowed = WindowedBox.Ticked;
    if (OnWindowedChanged)
        OnWindowedChanged(Settings.Windowed);
}

void TSETTINGSScreen::Run() {
    // The box follows a mode changed by Alt+Enter, so that Apply does not undo it.
    if (Settings.Windowed != WindowedShown)
        WindowedBox.Ticked = WindowedShown = Settings.Windowed;
    DrawCaptions();
    RunWidgets();
    if (CaptureState == 1)
        RunCapture();
    else if (CaptureState == 2)
        RunBadKey();
}

bool TSETTINGSScreen::OnClick(const std::string& Action) {
    // The two boxes of a pair always disagree: after the click has toggled one, the other follows.
    if (Action == "msSETTINGS_BitDepth16")
        BitDepth32Box.Ticked = !BitDepth16Box.Ticked;
    else if (Action == "msSETTINGS_BitDepth32")
        BitDepth16Box.Ticked = !BitDepth32Box.Ticked;
    else if (Action == "msSETTINGS_Double")
        TripleBox.Ticked = !DoubleBox.Ticked;
    else if (Action == "msSETTINGS_Triple")
        DoubleBox.Ticked = !TripleBox.Ticked;
    else if (Action == "msSETTINGS_Antialiasing" || Action == "msSETTINGS_Dithering" ||
             Action == "msSETTINGS_VSync" || Action == "msSETTINGS_Hardware" ||
             Action == "msSETTINGS_Music" || Action == "msSETTINGS_Windowed")
        return true; // the box has toggled itself
    else if (LanguageChoice.OnClick(Action))
        return true;
    else {
        for (const TKeyAction& Key : KeyActions)
            if (Action == Key.Action) {
                CaptureTarget = Key.Target;
                CaptureState = 1;
                return true;
            }
        return false;
    }
    return true;
}

void TSETTINGSScreen::DrawCaptions() {
    EngineRef.DrawText(GameText.msMAIN_Settings, 512, 50, 1, 0, HeadColour, 3);
    EngineRef.DrawText(GameText.msSETTINGS_VideoSettings, 60, 90, 0, 0, HeadColour, 0);
    EngineRef.DrawText(GameText.msSETTINGS_ControlsSettings, 964, 90, 2, 0, HeadColour, 0);
    for (const TKeyAction& Key : KeyActions)
        EngineRef.DrawText(TEngine::KeyName(Profile.*Key.Binding), 964, Key.Y, 2, 0, KeyColour, 0);
    // Help is not rebindable, but players look for it among the keys.
    EngineRef.DrawText(GameText.gi_Help, 512, HelpRow, 0, 0, TextColour, 0);
    EngineRef.DrawText(TEngine::KeyName(HelpKey), 964, HelpRow, 2, 0, KeyColour, 0);
    EngineRef.DrawText(GameText.msSETTINGS_Language, 512, LanguageTop, 0, 0, HeadColour, 0);
}

void TSETTINGSScreen::RunWidgets() {
    Cancel.Run();
    ApplyButton.Run();
    for (TEngineCheckBox* Box : Boxes())
        Box->Run();
    for (TEngineCutLabel* Text : {&HardwareInfo, &InfoLabel, &SteeringLabel, &WFireInfoLabel})
        Text->Run();
    for (TEngineTextButton* Key : KeyButtons())
        Key->Run();
    LanguageChoice.Run();
}

bool TSETTINGSScreen::CaptureCancelled() {
    // The exit binding may take Esc itself: players who moved it elsewhere must be able to bring it back.
    if (!TMenuKeys::Back(EngineRef.Keyboard) || (CaptureState == 1 && CaptureTarget == "E"))
        return false;
    CaptureState = 0;
    SetInputEnabled(true);
    return true;
}

void TSETTINGSScreen::RunCapture() {
    if (CaptureCancelled())
        return;
    SetInputEnabled(false);
    EngineRef.DrawTexture(EngineRef.GetTexture("gameexit"), 520, 404, 1, 1, 200);
    EngineRef.DrawText(GameText.msSETTINGS_Key, 512, 380, 1, 1, TextColour, 3);
    for (int Code = 0; Code < 256; ++Code) {
        if (!EngineRef.Keyboard.KeyPressed(Code))
            continue;
        if (!Acceptable(Code)) {
            CaptureState = 2;
            BadKeyTick = Now();
            break;
        }
        if (int* Binding = BindingOf(CaptureTarget))
            *Binding = Code;
        CaptureState = 0;
    }
    // Keys pressed together are all looked at: a later refused one still keeps the screen locked.
    SetInputEnabled(CaptureState == 0);
}

void TSETTINGSScreen::RunBadKey() {
    if (CaptureCancelled())
        return;
    EngineRef.DrawTexture(EngineRef.GetTexture("gameexit"), 520, 404, 1, 1, 200);
    EngineRef.DrawText(GameText.msSETTINGS_BadKey, 512, 384, 1, 1, KeyColour, 0);
    // No way out but another key: the binding being changed must end up with a usable one.
    if (SinceTick(BadKeyTick) > BadKeyMilliseconds)
        CaptureState = 1;
}

bool TSETTINGSScreen::Acceptable(int Code) const {
    for (int Fixed : FixedKeys)
        if (Code == Fixed)
            return false;
    // Its own current key may be given again; any other action's may not.
    for (const TKeyAction& Key : KeyActions)
        if (CaptureTarget != Key.Target && Profile.*Key.Binding == Code)
            return false;
    return true;
}

void TSETTINGSScreen::SetInputEnabled(bool Enabled) {
    Cancel.Enabled = ApplyButton.Enabled = Enabled;
    for (TEngineCheckBox* Box : Boxes())
        Box->Enabled = Enabled;
    for (TEngineTextButton* Key : KeyButtons())
        Key->Enabled = Enabled;
    LanguageChoice.Enabled = Enabled;
}

std::array<TEngineCheckBox*, 10> TSETTINGSScreen::Boxes() {
    return {&AntialiasingBox, &DitheringBox, &BitDepth16Box, &BitDepth32Box, &VSyncBox,
            &HardwareBox,     &DoubleBox,    &TripleBox,     &MusicBox,      &WindowedBox};
}

std::array<TEngineTextButton*, 11> TSETTINGSScreen::KeyButtons() {
    return {&KeyLeft,  &KeyRight, &KeySpeedUp,   &KeySpeedDwn, &KeyBoost, &KeyWpnUp,
            &KeyWpnDn, &KeyWFire, &KeyPlantMine, &KeyFPS,      &KeyExit};
}

int* TSETTINGSScreen::BindingOf(const std::string& Target) {
    for (const TKeyAction& Key : KeyActions)
        if (Target == Key.Target)
            return &(Profile.*Key.Binding);
    return nullptr;
}
