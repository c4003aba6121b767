#pragma once

#include "engine/TEngineTextButton.h"
#include "text/TText.h"

#include <string>
#include <vector>

class TEngine;

// The languages found in Text/*.lng as a row of text buttons, each under its own name, the chosen one
// lit. Dropping a language file into the folder adds a button; however many there are, the choice keeps
// to its room: more than MaxRows rows are shown a page at a time, turned by a "»" button.
class TLanguageChoice {
  public:
    // The buttons flow left to right from X (Alignment 0) or centred on X (1), wrapping into rows of at
    // most Width pixels, a name too long for a row cut to it. Their actions are ActionPrefix followed by
    // the language's file name.
    TLanguageChoice(TEngine& Engine, const std::string& ActionPrefix, int X, int Y, int Width, int Alignment,
                    int MaxRows);

    // Draws the buttons and handles their clicks; once per frame.
    void Run();
    // True for this choice's own actions, whose language then becomes the chosen one.
    bool OnClick(const std::string& Action);

    const std::vector<TText::TLanguage>& Languages() const { return FLanguages; }
    const std::vector<TEngineTextButton>& Buttons() const { return FButtons; }
    // The page each button is on, and the page shown.
    int PageOf(size_t Button) const { return Pages[Button]; }
    int Page() const { return ShownPage; }
    int PageCount() const { return PageTotal; }

    // The file name of the chosen language, as Settings keeps it.
    std::string Chosen;
    bool Enabled = true;

    static constexpr int RowHeight = 22;

  private:
    // The rows of buttons (indexes into FLanguages) that Widths fill within Width.
    static std::vector<std::vector<size_t>> Flow(const std::vector<int>& Widths, int Width);
    // The action of the button that turns the page: a file name holds no "/".
    std::string MoreAction() const { return ActionPrefix + "/more"; }

    std::vector<TText::TLanguage> FLanguages;
    std::vector<TEngineTextButton> FButtons;
    std::vector<int> Pages;
    std::vector<TEngineTextButton> More;
    std::string ActionPrefix;
    int ShownPage = 0;
    int PageTotal = 1;
    // The chosen language as the page was last turned to it.
    std::string PagedTo;
};
