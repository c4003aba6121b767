#pragma once

#include "engine/TEngineTextButton.h"
#include "text/TText.h"

#include <string>
#include <vector>

class TEngine;

// The languages found in Text/*.lng as a row of text buttons, each under its own name, the chosen one
// lit. Dropping a language file into the folder adds a button.
class TLanguageChoice {
  public:
    // The buttons flow left to right from X (Alignment 0) or centred on X (1), wrapping into rows of at
    // most Width pixels. Their actions are ActionPrefix followed by the language's file name.
    TLanguageChoice(TEngine& Engine, const std::string& ActionPrefix, int X, int Y, int Width, int Alignment);

    // Draws the buttons and handles their clicks; once per frame.
    void Run();
    // True for this choice's own actions, whose language then becomes the chosen one.
    bool OnClick(const std::string& Action);

    const std::vector<TText::TLanguage>& Languages() const { return FLanguages; }
    const std::vector<TEngineTextButton>& Buttons() const { return FButtons; }

    // The file name of the chosen language, as Settings keeps it.
    std::string Chosen;
    bool Enabled = true;

    static constexpr int RowHeight = 22;

  private:
    std::vector<TText::TLanguage> FLanguages;
    std::vector<TEngineTextButton> FButtons;
    std::string ActionPrefix;
};
