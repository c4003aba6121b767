#include "app/TmainFrm.h"

#include "app/TTestScene.h"
#include "engine/TEngine.h"
#include "runtime/TFakeClock.h"
#include "runtime/TMessageBox.h"
#include "runtime/TPath.h"
#include "runtime/TPngEncoder.h"
#include "runtime/TSystemClock.h"

#include <SDL.h>

#include <cstdio>

namespace {
std::unique_ptr<TClock> MakeClock(const TCommandLine& Options, TFakeClock*& Fake) {
    if (Options.StepMs > 0) {
        auto Clock = std::make_unique<TFakeClock>();
        Fake = Clock.get();
        return Clock;
    }
    return std::make_unique<TSystemClock>();
}

std::string ProgramDirOf(const TCommandLine& Options) {
    std::string Dir = Options.DataDir;
    if (Dir.empty()) {
        char* Base = SDL_GetBasePath();
        Dir = Base != nullptr ? Base : "./";
        SDL_free(Base);
    }
    if (Dir.back() != '/')
        Dir += '/';
    return Dir;
}
} // namespace

TmainFrm::TmainFrm(const TCommandLine& Options)
    : Options(Options), Clock(MakeClock(Options, FakeClock)), VelaCanvas(VelaDevice), VelaTimer(*Clock),
      VelaKeyboard(Input), VelaMouse(Input), Fonts(VelaDevice), FProgramDir(ProgramDirOf(Options)),
      EventPump(VelaDevice, Input) {
    VelaDevice.SetSize(1024, 768);
    VelaDevice.Headless = Options.Headless;
    VelaCanvas.SetVertexCache(1024);
    VelaCanvas.AlphaTesting = true;
    VelaCanvas.SetAntialias(true);
    VelaCanvas.SetDithering(false);
    VelaTimer.SetSpeed(60);
    VelaTimer.SetMaxFPS(100);
    VelaTimer.OnTimer = [this] { VelaTimerTimer(); };
    VelaTimer.OnProcess = [this] { VelaTimerProcess(); };
    VelaDevice.OnRender = [this](TVelaDevice&) { VelaDeviceRender(); };
    TMessageBox::Headless = Options.Headless;
}

TmainFrm::~TmainFrm() {
    FormDestroy();
}

bool TmainFrm::FormCreate() {
    if (!Options.InputFile.empty()) {
        std::string Error;
        if (!Script.LoadFile(Options.InputFile, Error)) {
            std::fprintf(stderr, "zerathon: %s\n", Error.c_str());
            return false;
        }
    }
    InitGraph();
    if (Engine->TerminateRequested())
        return false;
    VelaTimer.Enabled = true;
    return true;
}

void TmainFrm::InitGraph() {
    if (!Fonts.RegisterFontFile("BEWARE", TPath::Join(FProgramDir, "Text\\BEWARE__.ttf")))
        TMessageBox::Show("Zerathon", "The font file Text/BEWARE__.ttf is missing; texts will not be shown.",
                          true);
    if (!VelaDevice.Initialize())
        TMessageBox::Show("Zerathon", "Error initializing Vela!", true);
    if (!VelaMouse.Initialize())
        TMessageBox::Show("Zerathon", "Error initializing Vela!", true);
    if (!VelaKeyboard.Initialize())
        TMessageBox::Show("Zerathon", "Error initializing Vela!", true);
    CreateFonts();
    EventPump.CaptureMouse(true);
    Engine = std::make_unique<TEngine>(FProgramDir, TPath::Join(FProgramDir, "Graphic\\Textures.ini"),
                                       VelaTimer, VelaCanvas, VelaDevice, VelaMouse, VelaKeyboard, Fonts);
    TestScene = std::make_unique<TTestScene>(*Engine, VelaCanvas);
}

void TmainFrm::CreateFonts() {
    // 0 and 1 at 16 pixels (1 without shadow), 2..4 at 22, 30, 40, then 14, 16, ... 54.
    const int Sizes[5] = {16, 16, 22, 30, 40};
    for (int Index = 0; Index < 26; ++Index) {
        TVelaFontAlt& Font = Fonts.Add();
        Font.Name = "BEWARE";
        Font.Size = Index < 5 ? Sizes[Index] : 14 + 2 * (Index - 5);
        Font.Style = Index == 1 ? feBold : (feBold | feShadow);
    }
    Fonts.InitializeAll();
}

void TmainFrm::RunOnce() {
    if (!Options.Headless && !EventPump.Pump())
        Close();
    Script.Feed(FrameNumber + 1, Input);
    if (FakeClock != nullptr)
        FakeClock->Advance(static_cast<uint32_t>(Options.StepMs));
    VelaTimer.Idle();
}

int TmainFrm::Run() {
    while (!Closing)
        RunOnce();
    FormDestroy();
    return 0;
}

void TmainFrm::VelaTimerTimer() {
    VelaTimer.Process();
    VelaCanvas.ResetCounters();
    VelaDevice.Render(0, true);
    ++FrameNumber;
    TakeScreenshots();
    VelaDevice.Flip();
    if (Options.Frames > 0 && FrameNumber >= Options.Frames)
        Close();
}

void TmainFrm::VelaTimerProcess() {}

void TmainFrm::VelaDeviceRender() {
    TestScene->Draw(FrameNumber + 1, VelaTimer.FrameRate());
    Engine->UpdateCursor();
}

void TmainFrm::TakeScreenshots() {
    for (const TScreenshotRequest& Request : Options.Screenshots) {
        if (Request.Frame != FrameNumber)
            continue;
        TPicture Frame;
        std::string Error;
        if (!VelaDevice.ReadPixels(Frame) || !TPngEncoder::Save(Request.FileName, Frame, &Error))
            std::fprintf(stderr, "zerathon: cannot write the screenshot %s: %s\n", Request.FileName.c_str(),
                         Error.empty() ? SDL_GetError() : Error.c_str());
    }
}

void TmainFrm::FormDestroy() {
    if (Destroyed)
        return;
    Destroyed = true;
    TestScene.reset();
    Engine.reset();
    VelaMouse.Finalize();
    VelaKeyboard.Finalize();
    Fonts.Clear();
    VelaDevice.Finalize();
}
