#include "runtime/TMessageBox.h"

#include <SDL.h>
#include <cstdio>

#include "runtime/TWin1250.h"

bool TMessageBox::Headless = false;
std::function<void(const std::string&, const std::string&, bool)> TMessageBox::Hook;
int TMessageBox::ShownCount = 0;

void TMessageBox::Show(const std::string& Title, const std::string& Text, bool IsError) {
    ++ShownCount;
    if (Hook) {
        Hook(Title, Text, IsError);
        return;
    }
    const std::string Utf8Title = TWin1250::ToUtf8(Title);
    const std::string Utf8Text = TWin1250::ToUtf8(Text);
    if (!Headless && SDL_ShowSimpleMessageBox(IsError ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION,
                                              Utf8Title.c_str(), Utf8Text.c_str(), nullptr) == 0) {
        return;
    }
    // One line, so logs of headless runs stay greppable.
    std::string Line = Utf8Title + ": " + Utf8Text;
    for (char& C : Line) {
        if (C == '\n' || C == '\r') {
            C = ' ';
        }
    }
    std::fprintf(stderr, "%s\n", Line.c_str());
    std::fflush(stderr);
}
