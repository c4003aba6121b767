#include "app/TmainFrm.h"

#include "app/Globals.h"
#include "app/TScreenshotSaver.h"
#include "app/TStateHash.h"
#include "engine/TEngine.h"
#include "engine/TKestruneDemo.h"
#include "engine/TSoundEngine.h"
#include "menu/TGameMenu.h"
#include "menu/THighScores.h"
#include "menu/TProfileFiles.h"
#include "missions/TCampaignProgress.h"
#include "missions/TEndlessProgress.h"
#include "missions/TInterface.h"
#include "missions/TLoading.h"
#include "particles/TExplosion.h"
#include "particles/TXParticleSystem.h"
#include "render/TKeyCodes.h"
#include "runtime/TFile.h"
#include "runtime/TIniFile.h"
#include "runtime/TMessageBox.h"
#include "runtime/TPath.h"
#include "runtime/TPngEncoder.h"
#include "runtime/TSaveFile.h"
#include "runtime/TSystemLocale.h"
#include "world/TAsteroid.h"
#include "world/TCrate.h"
#include "world/TRocket.h"
#include "world/TShip.h"
#include "world/TSpace.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <iostream>
#include <vector>

namespace {

// Nothing reads a headless run's events, but SDL still turns SIGTERM and Ctrl-C into a quit event:
// they end the run as closing the window would.
bool QuitRequested() {
    SDL_PumpEvents();
    const bool Quit = SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_QUIT, SDL_QUIT) > 0;
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    return Quit;
}

// The game's colours: alpha in the top byte, then blue, green and red.
uint32_t Colour(uint32_t Red, uint32_t Green, uint32_t Blue, int Alpha) {
    return static_cast<uint32_t>(Alpha) << 24 | Blue << 16 | Green << 8 | Red;
}
} // namespace

TmainFrm::TmainFrm(const TCommandLine& Options)
    : Options(Options), VelaCanvas(std::make_unique<TVelaCanvas>(VelaDevice)), VelaTimer(FrameClock),
      VelaKeyboard(Input), VelaMouse(Input), StateHashOutput(&std::cout), EventPump(VelaDevice, Input) {
    mainFrm = this;
    Clock = &GameClock;
    Folders = TGameFolders::Locate(Options.DataDir, FolderProblem);
    ProgramDir = Folders.DataDir;
    VelaDevice.SetSize(1024, 768);
    VelaDevice.Caption = "Zerathon by Kestrune";
    VelaDevice.Headless = Options.Headless;
    DrawFrames = !Options.NoRaster;
    VelaDevice.OnRender = [this](TVelaDevice&) { VelaDeviceRender(); };
    VelaCanvas->AlphaTesting = true;
    VelaCanvas->SetVertexCache(1024);
    VelaCanvas->SetAntialias(true);
    VelaCanvas->SetDithering(false);
    VelaTimer.SetSpeed(60);
    VelaTimer.SetMaxFPS(Options.MaxFps);
    VelaTimer.Enabled = false;
    VelaTimer.OnTimer = [this] { VelaTimerTimer(); };
    VelaTimer.OnProcess = [this] { VelaTimerProcess(); };
    VelaKeyboard.Foreground = true;
    VelaMouse.Foreground = true;
    VelaMouse.BufferSize = 256;
    VelaMouse.Exclusive = true;
    VelaMouse.ClearOnUpdate = false;
    TMessageBox::Headless = Options.Headless;
}

TmainFrm::~TmainFrm() {
    FormDestroy();
    if (mainFrm == this)
        mainFrm = nullptr;
}

std::string TmainFrm::SettingsPath() const {
    return Folders.SettingsFile();
}

bool TmainFrm::FormCreate() {
    if (!Options.InputFile.empty()) {
        std::string Error;
        if (!Script.LoadFile(Options.InputFile, Error)) {
            std::fprintf(stderr, "zerathon: %s\n", Error.c_str());
            ScriptRefused = true;
            return false;
        }
    }
    EventPump.WindowEventsScripted = Deterministic();
    // Every file of a folder that is not there would be missed with a message of its own.
    if (!Options.DataDir.empty() && !TFile::IsDirectory(Options.DataDir)) {
        TMessageBox::Show("Zerathon", "The data folder " + Options.DataDir + " does not exist.", true);
        return false;
    }
    Created = true;
    if (!FolderProblem.empty())
        TMessageBox::Show("Zerathon", FolderProblem, true);
    ControlEverything();
    uint32_t Seed = static_cast<uint32_t>(std::chrono::system_clock::now().time_since_epoch().count());
    if (Options.HasSeed)
        Seed = Options.Seed;
    else if (Script.SetsSeed())
        Seed = Script.Seed();
    Random.Seed(Seed);
    LoadSettings();
    SetSettings();
    LoadLanguage();
    InitGraph();
    ShowDebugInfo = false;
    // Without a window there is nothing to play in and nothing to close; the message has been shown.
    if (!VelaDevice.Initialized() || Engine->TerminateRequested())
        return false;
    // Start-up draws numbers of its own; seeded again, play from the first frame on follows from the seed
    // alone, as it does for a tool that seeds the generator itself before its first frame.
    Random.Seed(Seed);
    StartRecording(Seed);
    if (!Options.Level.empty())
        StartLevelDirectly(Options.Level);
    return true;
}

// For testing and designing missions: straight to the loading screen, as the menu would go.
void TmainFrm::StartLevelDirectly(const std::string& Name) {
    IntroFinished = true;
    LevelName = Name;
    CampaignMission = 0;
    if (Name.size() == 7 && Name.compare(0, 5, "level") == 0 &&
        std::isdigit(static_cast<unsigned char>(Name[5])) &&
        std::isdigit(static_cast<unsigned char>(Name[6])))
        CampaignMission = (Name[5] - '0') * 10 + (Name[6] - '0');
    Loading->Visible = true;
    GameState = gsLoading;
}

void TmainFrm::ControlEverything() {
    const std::string Path = SettingsPath();
    if (!TFile::Exists(Path)) {
        TIniFile File(Path);
        File.BeginUpdate();
        File.WriteBool("Video", "Antialiasing", true);
        File.WriteBool("Video", "Windowed", false);
        File.WriteBool("Video", "Dithering", true);
        File.WriteInteger("Effect", "Space", 0);
        File.WriteInteger("Video", "BitDepth", 16);
        File.WriteBool("Video", "VSync", false);
        File.WriteBool("Video", "Music", true);
        File.WriteBool("Video", "Hardware", true);
        File.WriteInteger("Video", "Buffers", 3);
        // The system's language when the game speaks it, rather than one for everybody.
        File.WriteString("Language", "Language",
                         TText::FirstLanguage(ProgramDir, TSystemLocale::PreferredLanguages()));
        TSaveFile::Update(File);
    }
    if (!TFile::Exists(THighScores::FilePath()))
        THighScores::WriteTables(THighScores::DefaultTable(), THighScores::DefaultTable());
}

void TmainFrm::LoadSettings() {
    const TIniFile File(SettingsPath());
    CheatsEnabled = File.ReadBool("Cheats", "Enabled", false);
    Settings.Space = File.ReadInteger("Effect", "Space", 0);
    Settings.Antialias = File.ReadBool("Video", "Antialiasing", true);
    Settings.Windowed = File.ReadBool("Video", "Windowed", false);
    Settings.Dithering = File.ReadBool("Video", "Dithering", false);
    Settings.BitDepth = File.ReadInteger("Video", "BitDepth", 0);
    Settings.VSync = File.ReadBool("Video", "VSync", false);
    Settings.Music = File.ReadBool("Video", "Music", true);
    Settings.Hardware = File.ReadBool("Video", "Hardware", true);
    Settings.Buffers = File.ReadInteger("Video", "Buffers", 2);
    Settings.Language = File.ReadString("Language", "Language", "Czech");
    Settings.WindowX = File.ReadInteger("Video", "WindowX", -1);
    Settings.WindowY = File.ReadInteger("Video", "WindowY", -1);
    Settings.WindowWidth = File.ReadInteger("Video", "WindowWidth", 1024);
    Settings.WindowHeight = File.ReadInteger("Video", "WindowHeight", 768);
}

void TmainFrm::SetSettings() {
    VelaDevice.SetBitDepth(Settings.BitDepth != 0 ? bdHigh : bdLow);
    VelaDevice.SetVSync(Settings.VSync);
    VelaDevice.SetHardwareTL(Settings.Hardware);
    VelaCanvas->SetAntialias(Settings.Antialias);
    VelaCanvas->SetDithering(Settings.Dithering);
    VelaDevice.SetWindowed(Settings.Windowed);
    // Once the window is open, it is the player who places it.
    if (!VelaDevice.Initialized())
        VelaDevice.SetWindowPlace(
            {Settings.WindowX, Settings.WindowY, Settings.WindowWidth, Settings.WindowHeight});
}

void TmainFrm::SaveSettings() {
    const TWindowPlace& Place = VelaDevice.WindowPlace();
    Settings.WindowX = Place.X;
    Settings.WindowY = Place.Y;
    Settings.WindowWidth = Place.Width;
    Settings.WindowHeight = Place.Height;
    TIniFile File(SettingsPath());
    File.BeginUpdate();
    File.WriteInteger("Effect", "Space", Settings.Space);
    File.WriteBool("Video", "Antialiasing", Settings.Antialias);
    File.WriteBool("Video", "Windowed", Settings.Windowed);
    File.WriteBool("Video", "Dithering", Settings.Dithering);
    File.WriteInteger("Video", "BitDepth", Settings.BitDepth);
    File.WriteBool("Video", "VSync", Settings.VSync);
    File.WriteBool("Video", "Music", Settings.Music);
    File.WriteBool("Video", "Hardware", Settings.Hardware);
    File.WriteInteger("Video", "Buffers", Settings.Buffers);
    File.WriteString("Language", "Language", Settings.Language);
    File.WriteInteger("Video", "WindowX", Settings.WindowX);
    File.WriteInteger("Video", "WindowY", Settings.WindowY);
    File.WriteInteger("Video", "WindowWidth", Settings.WindowWidth);
    File.WriteInteger("Video", "WindowHeight", Settings.WindowHeight);
    TSaveFile::Update(File);
}

void TmainFrm::ApplyWindowed(bool Windowed) {
    Settings.Windowed = Windowed;
    VelaDevice.SetWindowed(Windowed);
    SaveSettings();
}

void TmainFrm::LoadLanguage() {
    GameText.LoadLanguage(ProgramDir, Settings.Language);
}

void TmainFrm::InitGraph() {
    FontList = std::make_unique<TVelaFontsAlt>(VelaDevice);
    Fonts = FontList.get();
    const std::string FontFile = TPath::Join(ProgramDir, "Text\\BEWARE__.ttf");
    if (!Fonts->RegisterFontFile("BEWARE", FontFile))
        TMessageBox::Show(
            "Zerathon", "The font " + FontFile + " is missing or damaged; the game runs without text.", true);
    if (!VelaDevice.Initialize())
        TMessageBox::Show("Zerathon", "Error initializing Vela!", true);
    if (!VelaMouse.Initialize())
        TMessageBox::Show("Zerathon", "Error initializing Vela!", true);
    if (!VelaKeyboard.Initialize())
        TMessageBox::Show("Zerathon", "Error initializing Vela!", true);
    CreateFonts();
    TickLength = static_cast<int>(1000 / VelaTimer.Speed());
    RocketParticleStep = 8;
    CreateGame();
    if (!Options.Headless)
        EventPump.StartPads();
    HoldMouse();
    VelaTimer.Enabled = true;
}

void TmainFrm::CreateFonts() {
    // 0 and 1 at 16 pixels (1 without shadow), 2..4 at 22, 30, 40, then 14, 16, ... 54.
    const int Heights[5] = {16, 16, 22, 30, 40};
    for (int Index = 0; Index < 26; ++Index) {
        TVelaFontAlt& Font = Fonts->Add();
        Font.Name = "BEWARE";
        Font.Style = Index == 1 ? feBold : (feBold | feShadow);
        Font.Size = Index < 5 ? Heights[Index] : 2 * (Index - 4) + 12;
    }
    Fonts->InitializeAll();
}

void TmainFrm::CreateGame() {
    Engine = std::make_unique<TEngine>(ProgramDir, TPath::Join(ProgramDir, "Graphic\\Textures.ini"),
                                       VelaTimer, *VelaCanvas, VelaDevice, VelaMouse, VelaKeyboard, *Fonts);
    // The game keeps its own cursor, starting in the middle of the screen.
    Engine->CursorX = 512;
    Engine->CursorY = 384;
    // One message for all the damaged effect files, however many.
    TXParticleSystem::GatherReports();
    Explosion = std::make_unique<TExplosion>(*Engine);
    Engine->OnWidgetClick = [](const std::string& Action) { TmainFrm::OnWidgetClick(Action); };
    Game.Asteroids = std::make_unique<TAsteroid>(*Engine);
    TRocket::CheckEffectFiles();
    TXParticleSystem::ShowGatheredReports();
    SoundEngine = std::make_unique<TSoundEngine>(ProgramDir, TPath::Join(ProgramDir, "Sound\\Sounds.ini"),
                                                 Options.Headless);
    if (SoundEngine->TerminateRequested())
        Close();
    IntroFinished = false;
    Intro = std::make_unique<TKestruneDemo>(*Engine, SoundEngine.get());
    Loading = std::make_unique<TLoading>();
    GameMenu = std::make_unique<TGameMenu>(*Engine);
    GameMenu->OnExit = [this] { Close(); };
    GameMenu->SettingsScreen.OnWindowedChanged = [this](bool Windowed) { ApplyWindowed(Windowed); };
    GameMenu->HighScores.LoadHighScores();
    TProfileFiles::LoadProfile(TProfileFiles::ActiveFile());
    Engine->CursorVisible = false;
    GameState = gsIntro;
    Notices = TMessage(Engine.get(), 0);
    Notices.NoticeDuration = 4000;
}

void TmainFrm::StartRecording(uint32_t Seed) {
    if (Options.RecordFile.empty())
        return;
    std::string Header =
        "# Zerathon input recorded with --record. Replay it with --input FILE, the data folder\n"
        "# (profiles, Settings.ini) as it was when the recording began";
    if (!Options.Level.empty())
        Header += ", --level " + Options.Level;
    Recorder.Start(Options.RecordFile, Header + ".\n", Seed);
    if (Recorder.Recording())
        Input.OnApply = [this](const TInputEvent& Event) { Recorder.Event(FrameNumber + 1, Event); };
}

std::optional<uint32_t> TmainFrm::FixedStep() const {
    // Asked for on the command line, a display rate outranks the one a recording was made at: the game
    // plays the same at either.
    if (Options.StepMs > 0)
        return static_cast<uint32_t>(Options.StepMs);
    uint32_t Step = 0;
    if (Script.ClockStep(FrameNumber + 1, Step))
        return Step;
    return std::nullopt;
}

void TmainFrm::RunOnce() {
    if (Options.Headless) {
        if (QuitRequested())
            Input.Apply(TInputEvent::Of(TInputEvent::TKind::Window, static_cast<int>(TWindowEvent::Quit)));
    } else {
        EventPump.Pump();
    }
    if (!TakeInput())
        return;
    // Nothing can be seen: wait for the window to come back without keeping a core busy.
    if (Input.Minimised && !Deterministic()) {
        SDL_WaitEventTimeout(nullptr, 100);
        return;
    }
    FrameClock.NextFrame(FixedStep());
    VelaTimer.Idle();
}

bool TmainFrm::TakeInput() {
    // A script speaks in game frames, so it plays the same game at any display rate.
    Script.Feed(FrameNumber + 1, Input);
    // The player closed the window: the session ends before another frame, unless a mission is being
    // flown, which asks first. The system's quit never waits.
    const bool CloseNow = Input.TakeCloseRequest() && !AskToLeaveMission();
    if (Input.TakeQuitRequest() || CloseNow) {
        Close();
        return false;
    }
    FollowInput();
    return true;
}

int TmainFrm::Run() {
    while (!Closing)
        RunOnce();
    // A screenshot asked for past the end would otherwise just not be there.
    for (const TScreenshotRequest& Request : Options.Screenshots)
        if (Request.Frame > FrameNumber) {
            std::fprintf(stderr,
                         "zerathon: no screenshot %s: the run ended after frame %d, before frame %d\n",
                         Request.FileName.c_str(), FrameNumber, Request.Frame);
            ScreenshotMissed = true;
        }
    FormDestroy();
    StateHashOutput->flush();
    // A run that was asked for a picture and could not make it has failed, whatever else it did.
    return ScreenshotMissed ? 1 : 0;
}

void TmainFrm::FollowInput() {
    // In flight an Alt the player bound to a control is that control, not half of Alt+Enter.
    const bool InFlight = GameState == gsPlaying;
    for (int Side = 0; Side < 2; ++Side) {
        const int Alt = Side == 0 ? TKeyCodes::LeftAlt : TKeyCodes::RightAlt;
        Input.AltKeys[Side] =
            InFlight && std::find(Game.Keys.begin(), Game.Keys.end(), Alt) != Game.Keys.end();
    }
    if (Input.TakeFullScreenChord())
        ApplyWindowed(!VelaDevice.Windowed());
    FollowWindow();
    Gamepad.SetMode(PadMode(), Game.Keys);
    for (const TPadEvent& Event : Input.TakePadEvents())
        Gamepad.Take(Event);
    HoldMouse();
}

void TmainFrm::FollowWindow() {
    const bool Left = Input.TakeWindowLeft();
    const bool Away = !Input.Focused || Input.Minimised;
    if ((Left || Away) && Flying()) {
        // As the exit key would: the dialog opens and the mission's clocks stand still. The player comes
        // back with the exit key or a click; Enter, the mine key, is not an answer here.
        Game.Paused = true;
        Game.ExitAsked = false;
        PausedByWindow = true;
    }
    if (GameState != gsPlaying || !Game.Paused)
        PausedByWindow = false;
    PauseSound(Away || PausedByWindow);
}

bool TmainFrm::AskToLeaveMission() {
    const bool Asking = Game.Paused && !Game.HelpShown;
    if (GameState != gsPlaying || Game.Phase <= 1 || !Game.Ship || Game.Ship->Destroyed || Asking)
        return false;
    Game.Paused = true;
    Game.HelpShown = false;
    Game.ExitAsked = true;
    return true;
}

bool TmainFrm::Flying() const {
    return GameState == gsPlaying && !Game.Paused && Game.Phase > 1 && Game.Ship && !Game.Ship->Destroyed;
}

void TmainFrm::PauseSound(bool Pause) {
    if (SoundEngine == nullptr || !SoundEngine->DeviceOpen())
        return;
    // Again on every pass: a sample started meanwhile waits as well.
    if (Pause)
        Mix_Pause(-1);
    else if (SoundPaused)
        Mix_Resume(-1);
    SoundPaused = Pause;
}

// Full screen holds the mouse while the game has the focus, as it always has; a window holds it only in
// flight, so the pointer can reach the title bar and other windows the rest of the time.
void TmainFrm::HoldMouse() {
    const bool InFlight = GameState == gsPlaying && Engine && !Engine->CursorVisible;
    const bool Capture = Input.Focused && !Input.Minimised && (!VelaDevice.Windowed() || InFlight);
    const bool Releasing = EventPump.MouseCaptured() && !Capture;
    EventPump.CaptureMouse(Capture);
    // The system pointer comes back where the game's cursor is.
    if (Releasing && Input.Focused && Engine)
        VelaDevice.PlacePointer(Engine->CursorX, Engine->CursorY);
}

TGamepadMapper::TMode TmainFrm::PadMode() const {
    if (GameState == gsBriefing)
        return TGamepadMapper::pmBriefing;
    if (GameState == gsPlaying && Engine && !Engine->CursorVisible)
        return TGamepadMapper::pmPlay;
    return TGamepadMapper::pmMenu;
}

void TmainFrm::FormDestroy() {
    if (Destroyed)
        return;
    Destroyed = true;
    VelaTimer.Enabled = false;
    Input.OnApply = nullptr;
    Recorder.Finish();
    if (Created)
        SaveSettings();
    Explosion.reset();
    Engine.reset();
    SoundEngine.reset();
    Loading.reset();
    // Freeing the menu writes the active profile's file, then the high scores.
    GameMenu.reset();
    VelaCanvas.reset();
    VelaMouse.Finalize();
    VelaKeyboard.Finalize();
    VelaDevice.Finalize();
    Intro.reset();
    FontList.reset();
    Fonts = nullptr;
}

// One displayed frame: the game frames that are due, the last of them drawn and shown.
void TmainFrm::VelaTimerTimer() {
    const int Due = VelaTimer.GameFrames();
    for (int Index = 0; Index < Due; ++Index) {
        // The first game frame's input came with the displayed frame.
        if (Closing || (Index > 0 && !TakeInput()))
            return;
        RunGameFrame(Index == Due - 1);
    }
    VelaDevice.Flip();
}

void TmainFrm::RunGameFrame(bool Shown) {
    GameClock.Advance(TVelaTimer::GameFrameMs);
    VelaTimer.Process();
    VelaCanvas->ResetCounters();
    Gamepad.Tick();
    // A screenshot asked for is drawn even where nothing else is.
    VelaDevice.Rasterise = (DrawFrames && Shown) || ScreenshotAsked(FrameNumber + 1);
    VelaDevice.Render(0, true);
    ++FrameNumber;
    Recorder.FrameDone(FrameNumber, TVelaTimer::GameFrameMs);
    if (Options.StateHashEvery > 0 && FrameNumber % Options.StateHashEvery == 0)
        *StateHashOutput << TStateHash::Line(FrameNumber) << '\n';
    TakeScreenshots();
    ScreenshotKeyed = ScreenshotKeyed || VelaKeyboard.KeyPressed(TKeyCodes::F12);
    if (ScreenshotKeyed && Shown) {
        ScreenshotKeyed = false;
        SaveScreenshot();
    }
    if (Options.Frames > 0 && FrameNumber >= Options.Frames)
        Close();
    EndAfterScript();
}

void TmainFrm::EndAfterScript() {
    if (!Options.Headless || Options.InputFile.empty() || Options.Frames > 0 || !Script.Finished())
        return;
    if (ScriptEndFrame == 0)
        ScriptEndFrame = FrameNumber;
    if (FrameNumber - ScriptEndFrame < ScriptGraceFrames || Closing)
        return;
    std::fprintf(stderr,
                 "zerathon: the input script ran out at frame %d without closing the window; the run ends at "
                 "frame %d (--frames N ends it elsewhere)\n",
                 ScriptEndFrame, FrameNumber);
    Close();
}

bool TmainFrm::ScreenshotAsked(int Frame) const {
    return std::any_of(Options.Screenshots.begin(), Options.Screenshots.end(),
                       [Frame](const TScreenshotRequest& Request) { return Request.Frame == Frame; });
}

void TmainFrm::OnWidgetClick(const std::string& Action) {
    if (GameMenu)
        GameMenu->OnWidgetClick(Action);
}

// The fixed step only advances particle systems; everything else runs once per frame.
void TmainFrm::VelaTimerProcess() {
    if (Game.Asteroids)
        Game.Asteroids->UpdateEmitters(static_cast<float>(TickLength));
    if (Explosion)
        Explosion->Update(static_cast<float>(TickLength));
}

void TmainFrm::VelaDeviceRender() {
    switch (GameState) {
    case gsIntro:
        LoopUvod();
        break;
    case gsMenu:
        MenuInput();
        LoopMenu();
        break;
    case gsLoading:
        Loading->LoadRequest = 1;
        break;
    case gsBriefing:
        LoopPreGame();
        break;
    case gsPlaying:
        GameInput();
        LoopGame();
        break;
    default:
        break;
    }
    Loading->Run();
    Notices.Draw();
    // A mouse that is not held points at the picture itself.
    int PointerX = 0;
    int PointerY = 0;
    if (Input.TakePointer(PointerX, PointerY)) {
        Engine->CursorX = std::clamp(PointerX, 0, 1024);
        Engine->CursorY = std::clamp(PointerY, 0, 768);
    }
    Engine->UpdateCursor();
    if (ShowDebugInfo)
        DrawDebugInfo();
}

void TmainFrm::DrawDebugInfo() {
    const uint32_t Green = 0xFF00FF00u;
    Engine->DrawText(std::string("Zerathon ") + GameVersion, 10, 0, 0, 0, Green, 0);
    Engine->DrawText("FPS: " + std::to_string(VelaTimer.FrameRate()), 10, 20, 0, 0, Green, 0);
    Engine->DrawText("X: " + std::to_string(Engine->CursorX), 10, 35, 0, 0, Green, 0);
    Engine->DrawText("Y: " + std::to_string(Engine->CursorY), 10, 50, 0, 0, Green, 0);
    Engine->DrawText("Vertices: " + std::to_string(VelaCanvas->VerticesDrawn() + VelaCanvas->VertexCount()),
                     10, 65, 0, 0, Green, 0);
}

void TmainFrm::MenuInput() {
    // An F typed into a name is a letter.
    if (!Engine->TextEntry && VelaKeyboard.KeyPressed(Profile.BindFPS))
        ShowDebugInfo = !ShowDebugInfo;
}

void TmainFrm::LoopMenu() {
    GameMenu->Render();
    TGameMenu::FollowLanguage(GameMenu);
}

void TmainFrm::LoopUvod() {
    Intro->Run();
    if (!IntroFinished)
        return;
    Engine->CursorVisible = true;
    GameMenu->Screen = TGameMenu::StartScreen();
    // With no profile yet the intro's sounds run on into the first-user screen.
    if (GameMenu->Screen == msMain)
        SoundEngine->StopSample("run");
    GameState = gsMenu;
}

void TmainFrm::GameInput() {
    if (VelaKeyboard.KeyPressed(Game.Keys[TGame::KeyDebug]))
        ShowDebugInfo = !ShowDebugInfo;
    // F1 opens the help and pauses; F1 or the exit key closes it and play resumes. Without the help the
    // exit key opens the exit question, or closes it.
    const bool Help = VelaKeyboard.KeyPressed(TKeyCodes::F1);
    const bool Exit = VelaKeyboard.KeyPressed(Game.Keys[TGame::KeyExit]);
    if (Game.HelpShown && (Help || Exit)) {
        Game.HelpShown = false;
        Game.Paused = false;
    } else if (Help) {
        Game.HelpShown = true;
        Game.Paused = true;
    } else if (Exit) {
        Game.Paused = !Game.Paused;
        Game.ExitAsked = Game.Paused;
    }
}

void TmainFrm::LoopPreGame() {
    if (Game.Phase < 3 &&
        (VelaKeyboard.KeyPressed(TKeyCodes::Enter) || VelaKeyboard.KeyPressed(TKeyCodes::Escape))) {
        Game.Phase = 3;
        Game.Blink = true;
        Game.CaptionAlpha = 200;
        for (TPreGameText& Line : Game.PreGameTexts)
            Line.Alpha = 200;
        Game.PhaseStamp = Now();
    }
    DrawBriefing();
    StepBriefing();
}

void TmainFrm::DrawBriefing() {
    VelaCanvas->Draw(Engine->GetTexture("background"), 0, 0, 0, EffectOpaque);
    if (Game.CaptionAlpha != 0 && (Game.Mode == "C" || Game.Mode == "T")) {
        const int Index = Game.Mode == "C" ? Game.Campaign.CaptionIndex : Game.Endless.CaptionIndex;
        if (Index >= 0 && Index < 20)
            Engine->DrawText(GameText.LevelCaption[Index], 512, 52, 1, 0,
                             Colour(255, 251, 50, Game.CaptionAlpha), 3);
    }
    for (size_t Line = 0; Line < Game.PreGameTexts.size(); ++Line) {
        const TPreGameText& Text = Game.PreGameTexts[Line];
        if (Text.Alpha != 0)
            Engine->DrawText(Text.Text, 512, 100 + 50.0 * Line, 1, 0, Colour(177, 175, 126, Text.Alpha), 3);
    }
    if (Game.Blink)
        Engine->DrawText(GameText.press, 512, 690, 1, 0, 0xFFFFFFFFu, 0);
}

void TmainFrm::StepBriefing() {
    std::vector<TPreGameText>& Lines = Game.PreGameTexts;
    switch (Game.Phase) {
    case 0:
        if (SinceTick(Game.PhaseStamp) > 400) {
            Game.PhaseStamp = Now();
            Game.Phase = 1;
        }
        break;
    case 1:
        if (SinceTick(Game.PhaseStamp) > 2) {
            Game.PhaseStamp = Now();
            ++Game.CaptionAlpha;
        }
        if (Game.CaptionAlpha == 200) {
            Game.PhaseStamp = Now();
            Game.Phase = 2;
        }
        break;
    case 2:
        for (size_t Line = 0; Line < Lines.size(); ++Line) {
            if (Lines[Line].Alpha == 200)
                continue;
            const bool MayGrow = Line == 0 || Lines[Line - 1].Alpha > 100;
            if (MayGrow && SinceTick(Game.PhaseStamp) > 2) {
                Game.PhaseStamp = Now();
                ++Lines[Line].Alpha;
            }
        }
        // A briefing without lines goes straight on to the prompt.
        if (Lines.empty() || Lines.back().Alpha >= 200) {
            Game.Phase = 3;
            Game.PhaseStamp = Now();
            Game.Blink = true;
        }
        break;
    case 3:
        if (SinceTick(Game.PhaseStamp) > 300) {
            Game.PhaseStamp = Now();
            Game.Blink = !Game.Blink;
        }
        if (VelaKeyboard.KeyPressed(TKeyCodes::Space))
            Game.Phase = 4;
        break;
    case 4:
        GameState = gsPlaying;
        Game.Phase = 0;
        Game.PhaseStamp = Now();
        // The briefing is part of the first wave's time: a caption ended early by a key hands back only
        // the caption's own time.
        Game.PauseStart = Now();
        Game.PauseLength = 0;
        break;
    default:
        break;
    }
}

void TmainFrm::LoopGame() {
    // The destruction stopped the hum; a wreck has no engine to start it again.
    if (Game.Ship && !Game.Ship->Destroyed)
        SoundEngine->PlaySample("engine");
    if (Game.Space && Game.Ship)
        Game.Space->Run(Game.Ship->Angle, Game.Campaign.Name);
    if (Game.Ship) {
        for (size_t Index = 0; Index < Game.Rockets.size(); ++Index)
            Game.Rockets[Index]->Run(*Game.Ship, Game.Rockets, Game.Messages);
        Game.Ship->Run();
        if (Game.Asteroids)
            Game.Asteroids->Run(*Game.Ship, Game.Rockets, Game.Messages);
        if (!Game.Paused && Game.Crates)
            Game.Crates->Run(*Game.Ship, Game.Messages, Game.Score);
    }
    Explosion->Draw();
    Game.Messages.Draw();
    if (Game.Interface)
        Game.Interface->Run();

    AccountPause();
    if (!Game.Paused && Game.Mode == "C" && Game.Ship)
        TCampaignProgress::ProgressCampaignLevel();
    else if (!Game.Paused && Game.Mode == "T" && Game.Ship)
        TEndlessProgress::ProgressTTDLevel();
    StepStartCaption();
}

void TmainFrm::AccountPause() {
    uint32_t& TimeBase = Game.Mode == "T" ? Game.EndlessTimeBase : Game.WaveStamp;
    if (Game.Paused) {
        Game.PauseLength = static_cast<int>(SinceTick(Game.PauseStart));
    } else {
        if (Game.PauseLength != 0) {
            TimeBase += static_cast<uint32_t>(Game.PauseLength);
            Game.PauseLength = 0;
        }
        Game.PauseStart = Now();
    }
}

void TmainFrm::StepStartCaption() {
    switch (Game.Phase) {
    case 0: {
        const bool Campaign = Game.Mode == "C";
        const int First = Campaign ? Game.Campaign.FirstLineIndex : Game.Endless.FirstLineIndex;
        const int Second = Campaign ? Game.Campaign.SecondLineIndex : Game.Endless.SecondLineIndex;
        const uint32_t Caption = Colour(255, 251, 50, Game.CaptionAlpha);
        if (First >= 0 && First < 20)
            Engine->DrawText(GameText.FirstLine[First], 512, 344, 1, 1, Caption, 3);
        if (Second >= 0 && Second < 20)
            Engine->DrawText(GameText.SecondLine[Second], 512, 424, 1, 1, Caption, 2);
        if (SinceTick(Game.PhaseStamp) > 2000)
            --Game.CaptionAlpha;
        if (Game.CaptionAlpha < 1)
            Game.Phase = 1;
        break;
    }
    case 1:
        // The help opened during the caption stays until the player closes it.
        Game.Paused = Game.HelpShown;
        Game.SurvivalTime = 0;
        Game.EndlessTimeBase = Now();
        Game.PauseLength = 0;
        Game.Phase = 2;
        break;
    default:
        break;
    }
}

bool TmainFrm::ReadFrame(TPicture& Frame) const {
    if (!VelaDevice.ReadPixels(Frame))
        return false;
    // The screen has no transparency; the target's alpha is whatever the last blend left there.
    for (uint32_t& Pixel : Frame.Pixels)
        Pixel |= 0xFF000000u;
    return true;
}

void TmainFrm::TakeScreenshots() {
    for (const TScreenshotRequest& Request : Options.Screenshots) {
        if (Request.Frame != FrameNumber)
            continue;
        TPicture Frame;
        std::string Error;
        const bool Read = ReadFrame(Frame);
        if (!Read || !TPngEncoder::Save(Request.FileName, Frame, &Error)) {
            std::fprintf(stderr, "zerathon: cannot write the screenshot %s: %s\n", Request.FileName.c_str(),
                         Error.empty() ? SDL_GetError() : Error.c_str());
            ScreenshotMissed = true;
        }
    }
}

void TmainFrm::SaveScreenshot() {
    TPicture Frame;
    std::string Error = "the frame cannot be read";
    const std::string Path = ReadFrame(Frame) ? TScreenshotSaver::Save(Frame, Folders.ScreenshotFolder(),
                                                                       std::time(nullptr), Error)
                                              : std::string();
    if (!Path.empty()) {
        Notices.RequestNotice(GameText.gi_ScreenshotSaved, Path);
        return;
    }
    std::fprintf(stderr, "zerathon: no screenshot: %s\n", Error.c_str());
    Notices.RequestNotice(GameText.gi_ScreenshotFailed, Error);
}
