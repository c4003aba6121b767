#pragma once

#include "engine/TTexture.h"
#include "runtime/TPictureLoader.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TVelaCanvas;
class TVelaDevice;
class TVelaFontsAlt;
class TVelaImage;
class TVelaKeyboard;
class TVelaMouse;
class TVelaTimer;

// The pictures of the game by name, the few drawing calls everything uses, and the mouse cursor.
class TEngine {
  public:
    TEngine(const std::string& ProgramDir, const std::string& TexturesPath, TVelaTimer& Timer,
            TVelaCanvas& Canvas, TVelaDevice& Device, TVelaMouse& Mouse, TVelaKeyboard& Keyboard,
            TVelaFontsAlt& Fonts);
    ~TEngine();
    TEngine(const TEngine&) = delete;
    TEngine& operator=(const TEngine&) = delete;

    // The last entry of that name; entry 0 when none matches; nothing when the table is empty.
    TVelaImage* GetTexture(const std::string& Name) const;
    const TTexture* FindTexture(const std::string& Name) const;
    int TextureCount() const { return static_cast<int>(Textures.size()); }

    // Alignment: 0 left or top, 1 centre, 2 right or bottom. Alpha 0..255.
    void DrawTexture(TVelaImage* Image, int X, int Y, int HAlign, int VAlign, int Alpha);
    void DrawTexturePattern(TVelaImage* Image, int X, int Y, int HAlign, int VAlign, int Alpha, int Pattern);
    void DrawText(const std::string& Text, double X, double Y, int HAlign, int VAlign, uint32_t Colour,
                  int Font);

    // Reads mouse and keyboard, moves the cursor and draws it above everything else.
    void UpdateCursor();

    // DirectInput key code to the name shown for a binding; codes without a name give "#" and the code.
    static std::string KeyName(int Code);

    // One press of the left button fires at most one button: cleared on firing, set again on release.
    bool ClickReady = true;
    // An edit box had the keyboard in the last frame, so the keys typed were text, not commands.
    bool TextEntry = false;
    // Set by an edit box that reads the keyboard in this frame.
    bool TextEntryNow = false;
    // The menu's dispatcher; clickable widgets call it with their action name.
    std::function<void(const std::string& Action)> OnWidgetClick;
    int CursorX = 400;
    int CursorY = 300;
    bool CursorVisible = true;

    // The texture list was missing or damaged: the program has to end.
    bool TerminateRequested() const { return FTerminateRequested; }
    TVelaImage* Cursor() const { return FCursor.get(); }

    // The main window's components, which the game draws with and reads input from.
    TVelaTimer& Timer;
    TVelaCanvas& Canvas;
    TVelaDevice& Device;
    TVelaMouse& Mouse;
    TVelaKeyboard& Keyboard;
    TVelaFontsAlt& Fonts;

  private:
    void LoadTextureList();
    void LoadCursor();
    void WarmPictures();

    std::unique_ptr<TVelaImage> FCursor;
    std::string ProgramDir;
    std::string TexturesPath;
    // Decodes the list's pictures in the background once the first frame is up.
    TPictureLoader Loader;
    std::vector<TTexture> Textures;
    size_t NextToWarm = 0;
    bool FTerminateRequested = false;
};

extern std::unique_ptr<TEngine> Engine;
