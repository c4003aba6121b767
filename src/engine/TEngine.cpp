#include "engine/TEngine.h"

#include "render/TInputState.h"
#include "render/TVelaCanvas.h"
#include "render/TVelaDevice.h"
#include "render/TVelaFontsAlt.h"
#include "render/TVelaImage.h"
#include "render/TVelaKeyboard.h"
#include "render/TVelaMouse.h"
#include "runtime/TFile.h"
#include "runtime/TIniFile.h"
#include "runtime/TLoadFailures.h"
#include "runtime/TMessageBox.h"
#include "runtime/TPath.h"
#include "runtime/TWin1250.h"

#include <cmath>
#include <cstdio>

namespace {
// A damaged count must not make us allocate billions of entries.
constexpr int MaxTextures = 10000;
} // namespace

TEngine::TEngine(const std::string& ProgramDir, const std::string& TexturesPath, TVelaTimer& Timer,
                 TVelaCanvas& Canvas, TVelaDevice& Device, TVelaMouse& Mouse, TVelaKeyboard& Keyboard,
                 TVelaFontsAlt& Fonts)
    : Timer(Timer), Canvas(Canvas), Device(Device), Mouse(Mouse), Keyboard(Keyboard), Fonts(Fonts),
      ProgramDir(ProgramDir), TexturesPath(TexturesPath) {
    LoadTextureList();
    LoadCursor();
}

TEngine::~TEngine() = default;

void TEngine::LoadTextureList() {
    if (!TFile::Exists(TexturesPath)) {
        TMessageBox::Show("Zerathon",
                          TWin1250::FromUtf8("Nemožno nájsť info súbor o textúrach! Aplikácia sa ukončí!"),
                          true);
        FTerminateRequested = true;
        return;
    }
    const TIniFile List(TexturesPath);
    const int Count = List.ReadInteger("Textures", "Count", 0);
    if (Count > MaxTextures) {
        TMessageBox::Show("Zerathon",
                          "The texture list " + TexturesPath + " is damaged: it counts " +
                              std::to_string(Count) + " entries, more than " + std::to_string(MaxTextures) +
                              ". The game ends.",
                          true);
        FTerminateRequested = true;
        return;
    }
    // Nothing to draw would look like a broken screen.
    if (Count <= 0) {
        TMessageBox::Show("Zerathon",
                          "The texture list " + TexturesPath +
                              " names no pictures; the game runs, but has nothing to draw.",
                          true);
        return;
    }
    TLoadFailures Failures;
    Textures.resize(Count);
    for (int N = 0; N < Count; ++N) {
        const std::string Section = "Texture" + std::to_string(N);
        TTexture& Entry = Textures[N];
        Entry.Name = List.ReadString(Section, "Name", "");
        Entry.Image = std::make_shared<TVelaImage>(Device);
        TVelaImage& Image = *Entry.Image;
        Image.Name = Entry.Name;
        Image.SetTextureSize(List.ReadInteger(Section, "TexWidth", 0),
                             List.ReadInteger(Section, "TexHeight", 0));
        const int PatternWidth = List.ReadInteger(Section, "PtWidth", 0);
        const int PatternHeight = List.ReadInteger(Section, "PtHeight", 0);
        Image.SetPatternSize(PatternWidth, PatternHeight);
        Image.SetVisibleSize(PatternWidth, PatternHeight);
        int MaskColour = 0;
        if (!TIniFile::ParseInteger(List.ReadString(Section, "BitAlpha", "$FFFFFFFF"), MaskColour))
            MaskColour = 0;
        const bool NeedMask = List.ReadBool(Section, "NeedMask", true);
        const std::string FileName = TPath::Join(ProgramDir, List.ReadString(Section, "Image", ""));
        if (!Image.LoadFromFileLater(FileName, NeedMask, static_cast<uint32_t>(MaskColour), 0, Loader))
            Failures.Add("texture \"" + Entry.Name + "\": " + Image.LastError());
    }
    // One message for the whole list, however many pictures are damaged or missing.
    if (Failures.Count() > 0)
        TMessageBox::Show("Zerathon",
                          std::to_string(Failures.Count()) + " of the " + std::to_string(Count) +
                              " pictures in " + TexturesPath + " could not be loaded; they stay blank:\n" +
                              Failures.Text("\n"),
                          true);
}

void TEngine::LoadCursor() {
    FCursor = std::make_unique<TVelaImage>(Device);
    FCursor->SetTextureSize(32, 32);
    FCursor->SetPatternSize(32, 32);
    FCursor->SetVisibleSize(32, 32);
    const std::string FileName = TPath::Join(ProgramDir, "\\Graphic\\curArrow.png");
    if (!FCursor->LoadFromFile(FileName, false, 0xFF000000u, 1))
        std::fprintf(stderr, "Zerathon: cursor picture \"%s\" not loaded: %s\n", FileName.c_str(),
                     FCursor->LastError().c_str());
}

const TTexture* TEngine::FindTexture(const std::string& Name) const {
    if (Textures.empty())
        return nullptr;
    const TTexture* Result = &Textures[0];
    for (const TTexture& Entry : Textures)
        if (Entry.Name == Name)
            Result = &Entry;
    return Result;
}

TVelaImage* TEngine::GetTexture(const std::string& Name) const {
    const TTexture* Entry = FindTexture(Name);
    return Entry != nullptr ? Entry->Image.get() : nullptr;
}

void TEngine::DrawTexture(TVelaImage* Image, int X, int Y, int HAlign, int VAlign, int Alpha) {
    DrawTexturePattern(Image, X, Y, HAlign, VAlign, Alpha, 0);
}

static int AlignedStart(int Position, int Size, int Align) {
    if (Align == 1)
        return Position - Size / 2;
    if (Align == 2)
        return Position - Size;
    return Position;
}

void TEngine::DrawTexturePattern(TVelaImage* Image, int X, int Y, int HAlign, int VAlign, int Alpha,
                                 int Pattern) {
    if (Image == nullptr)
        return;
    const int Width = Image->PatternSize().x;
    const int Height = Image->PatternSize().y;
    const float Left = static_cast<float>(AlignedStart(X, Width, HAlign));
    const float Top = static_cast<float>(AlignedStart(Y, Height, VAlign));
    const SDL_FPoint Points[4] = {
        {Left, Top}, {Left + Width, Top}, {Left + Width, Top + Height}, {Left, Top + Height}};
    const uint32_t Colour = (static_cast<uint32_t>(Alpha & 0xFF) << 24) | 0xFFFFFFu;
    const uint32_t Colours[4] = {Colour, Colour, Colour, Colour};
    Canvas.DrawQuad(Image, Points, Colours, Pattern, EffectBlend);
}

void TEngine::DrawText(const std::string& Text, double X, double Y, int HAlign, int VAlign, uint32_t Colour,
                       int Font) {
    TVelaFontAlt* Entry = Fonts.Font(Font);
    if (Entry == nullptr)
        return;
    if (HAlign == 1)
        X -= std::trunc(Entry->TextWidth(Text) / 2.0);
    else if (HAlign == 2)
        X -= Entry->TextWidth(Text);
    if (VAlign == 1)
        Y -= std::trunc(Entry->TextHeight(Text) / 2.0);
    else if (VAlign == 2)
        Y -= Entry->TextHeight(Text);
    // Fonts draw straight to the target: whatever the batch still holds must go first.
    Canvas.Flush();
    Entry->TextOut(Text, static_cast<int>(std::trunc(X)), static_cast<int>(std::trunc(Y)), Colour);
}

// Started at the first frame, so the start itself is not slowed. One picture a frame becomes a texture,
// so no screen waits for its pictures when it first shows and no frame does all of them.
void TEngine::WarmPictures() {
    Loader.Start();
    for (; NextToWarm < Textures.size(); ++NextToWarm) {
        TVelaImage& Image = *Textures[NextToWarm].Image;
        if (Image.Pending()) {
            Image.FinishIfDecoded();
            return;
        }
    }
}

void TEngine::UpdateCursor() {
    TextEntry = TextEntryNow;
    TextEntryNow = false;
    WarmPictures();
    Mouse.Update();
    Keyboard.Update();
    const int NewX = TInputState::AddSaturated(CursorX, Mouse.DeltaX());
    if (NewX >= 0 && NewX <= 1024)
        CursorX = NewX;
    const int NewY = TInputState::AddSaturated(CursorY, Mouse.DeltaY());
    if (NewY >= 0 && NewY <= 768)
        CursorY = NewY;
    if (!CursorVisible || !FCursor->Loaded())
        return;
    const float Left = static_cast<float>(CursorX);
    const float Top = static_cast<float>(CursorY);
    const float Width = static_cast<float>(FCursor->TextureSize().x);
    const float Height = static_cast<float>(FCursor->TextureSize().y);
    const SDL_FPoint Points[4] = {
        {Left, Top}, {Left + Width, Top}, {Left + Width, Top + Height}, {Left, Top + Height}};
    const uint32_t Colour = (180u << 24) | 0xFFFFFFu;
    const uint32_t Colours[4] = {Colour, Colour, Colour, Colour};
    Canvas.DrawQuad(FCursor.get(), Points, Colours, 0, EffectBlend);
}

std::string TEngine::KeyName(int Code) {
    static const char* const Letters1 = "QWERTYUIOP";
    static const char* const Letters2 = "ASDFGHJKL";
    static const char* const Letters3 = "ZXCVBNM";
    if (Code >= 2 && Code <= 10)
        return std::to_string(Code - 1);
    if (Code >= 16 && Code <= 25)
        return std::string(1, Letters1[Code - 16]);
    if (Code >= 30 && Code <= 38)
        return std::string(1, Letters2[Code - 30]);
    if (Code >= 44 && Code <= 50)
        return std::string(1, Letters3[Code - 44]);
    if (Code >= 59 && Code <= 68)
        return "F" + std::to_string(Code - 58);
    // The keypad digits read "num7", but its zero reads "num 0".
    if (Code >= 71 && Code <= 73)
        return "num" + std::to_string(Code - 64);
    if (Code >= 75 && Code <= 77)
        return "num" + std::to_string(Code - 71);
    if (Code >= 79 && Code <= 81)
        return "num" + std::to_string(Code - 78);
    if (Code == 87 || Code == 88)
        return "F" + std::to_string(Code - 76);
    switch (Code) {
    case 1:
        return "Escape";
    case 11:
        return "0";
    case 12:
        return "-";
    case 13:
        return "=";
    case 14:
        return "Backspace";
    case 15:
        return "Tab";
    case 26:
        return "[";
    case 27:
        return "]";
    case 28:
        return "Enter";
    case 29:
        return "Left Ctrl";
    case 39:
        return ";";
    case 40:
        return "\xB4"; // the acute accent
    case 41:
        return "`";
    case 42:
        return "Left Shift";
    case 43:
        return "\\";
    case 51:
        return ",";
    case 52:
        return ".";
    case 53:
        return "/";
    case 54:
        return "Right Shift";
    case 55:
        return "*";
    case 56:
        return "Left Alt";
    case 57:
        return "Space";
    case 58:
        return "Caps Lock";
    case 69:
        return "Num Lock";
    case 70:
        return "Scroll Lock";
    case 74:
        return "num -";
    case 78:
        return "num +";
    case 82:
        return "num 0";
    case 83:
        return "num ,";
    case 156:
        return "num Enter";
    case 157:
        return "Right Ctrl";
    case 181:
        return "Num /";
    case 183:
        return "Print Screen";
    case 197:
        return "Pause";
    case 199:
        return "Home";
    case 200:
        return "Arrow Up";
    case 201:
        return "Page Up";
    case 203:
        return "Arrow Left";
    case 205:
        return "Arrow Right";
    case 207:
        return "End";
    case 208:
        return "Arrow Down";
    case 209:
        return "Page Down";
    case 210:
        return "Insert";
    case 211:
        return "Delete";
    case 219:
        return "Left Windows key";
    case 220:
        return "Right Windows key";
    case 221:
        return "AppMenu key";
    case 222:
        return "Power";
    case 223:
        return "Sleep";
    case 227:
        return "System Wake";
    default:
        return "#" + std::to_string(Code);
    }
}
