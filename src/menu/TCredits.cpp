#include "menu/TCredits.h"

#include "engine/TEngine.h"
#include "engine/TMenuKeys.h"
#include "render/TVelaCanvas.h"
#include "render/TVelaMouse.h"
#include "runtime/TAscii.h"
#include "runtime/TClock.h"
#include "runtime/TFile.h"
#include "runtime/TGameFolders.h"
#include "runtime/TPath.h"
#include "runtime/TWin1250.h"
#include "text/TText.h"

namespace {

constexpr uint32_t HeadingColour = 0xFF32FBFFu;
constexpr uint32_t NameColour = 0xFF7EAFB1u;
constexpr uint32_t MakerColour = 0xFF0067FFu;
constexpr int CentreX = 512;
constexpr int ScreenHeight = 768;

struct TTag {
    const char* Tag;
    const char* Kind;
    // The texture a picture line shows; the other lines show their own text.
    const char* Picture;
    int Space;
};

// In the order they are tried; the title picture's tag is one character longer than the rest.
constexpr TTag Tags[] = {{"<h>", "H", nullptr, 20}, {"<n>", "N", nullptr, 30},  {"<w>", "W", nullptr, 50},
                         {"<s>", "S", nullptr, 50}, {"$kt", "img", "kst", 210}, {"$tit", "img", "title", 50}};

bool HasTag(const std::string& Line, const std::string& Tag) {
    if (Line.size() < Tag.size())
        return false;
    for (size_t I = 0; I < Tag.size(); ++I)
        if (TAscii::Lower(Line[I]) != TAscii::Lower(Tag[I]))
            return false;
    return true;
}

// The file names its headings in Slovak; each is shown in the player's language.
std::string HeadingCaption(const std::string& Text) {
    const std::pair<const char*, const std::string*> Headings[] = {
        {"Produkcia", &GameText.cr_Production}, {"Programovanie", &GameText.cr_Programming},
        {"Grafika", &GameText.cr_Graphics},     {"Zvuk", &GameText.cr_Sound},
        {"Story", &GameText.cr_Story},          {"Hudba", &GameText.cr_Music},
        {"BETATesting", &GameText.cr_BETA}};
    for (const auto& [Word, Caption] : Headings)
        if (Text == Word)
            return *Caption;
    return Text;
}

std::vector<std::string> SplitLines(const std::string& Text) {
    std::vector<std::string> Lines;
    size_t Start = 0;
    while (Start < Text.size()) {
        size_t End = Text.find('\n', Start);
        const size_t Next = End == std::string::npos ? Text.size() : End + 1;
        if (End == std::string::npos)
            End = Text.size();
        if (End > Start && Text[End - 1] == '\r')
            --End;
        Lines.push_back(Text.substr(Start, End - Start));
        Start = Next;
    }
    return Lines;
}

} // namespace

TCredits::TCredits(TEngine& Engine) : Engine(Engine) {}

std::string TCredits::FilePath() {
    return TPath::Join(ProgramDir, "Text\\credits.txt");
}

void TCredits::LoadCredits() {
    std::string Raw;
    if (!TFile::ReadText(FilePath(), Raw))
        Raw.clear();
    // Translators may save as Windows-1250 or as UTF-8; both become the game's encoding.
    ParseCredits(TWin1250::FromFileText(Raw));
}

void TCredits::ParseCredits(const std::string& Text) {
    Items.clear();
    int RunningY = FirstY;
    for (const std::string& Line : SplitLines(Text)) {
        TCredit& Item = Items.emplace_back();
        for (const TTag& Tag : Tags) {
            if (!HasTag(Line, Tag.Tag))
                continue;
            const std::string Rest = Line.substr(3);
            Item.Kind = Tag.Kind;
            if (Item.Kind == "H")
                Item.Text = HeadingCaption(Rest);
            else if (Item.Kind == "N")
                Item.Text = Rest;
            else if (Item.Kind == "W")
                Item.Text = Rest == "Vyrobilo" ? GameText.cr_Made : Rest;
            else if (Tag.Picture != nullptr)
                Item.Text = Tag.Picture;
            Item.StartY = Item.Y = RunningY;
            RunningY += Tag.Space;
            break;
        }
    }
}

void TCredits::Run() {
    for (const TCredit& Item : Items) {
        // Lines still below the screen cannot be seen.
        if (Item.Y >= ScreenHeight)
            continue;
        if (Item.Kind == "H")
            Engine.DrawText(Item.Text, CentreX, Item.Y, 1, 0, HeadingColour, 0);
        else if (Item.Kind == "N")
            Engine.DrawText(Item.Text, CentreX, Item.Y, 1, 0, NameColour, 3);
        else if (Item.Kind == "W")
            Engine.DrawText(Item.Text, CentreX, Item.Y, 1, 0, MakerColour, 3);
        else if (Item.Kind == "img")
            Engine.DrawTexture(Engine.GetTexture(Item.Text), CentreX, Item.Y, 1, 0, 254);
    }

    if (SinceTick(LastStep) > StepPeriod) {
        LastStep = Now();
        for (TCredit& Item : Items)
            --Item.Y;
    }
    if (!Items.empty() && Items.back().Y < LoopY)
        for (TCredit& Item : Items)
            Item.Y = Item.StartY;

    // The panels hide the lines where they enter and leave the screen.
    TVelaImage* Panels = Engine.GetTexture("creditspanels");
    Engine.Canvas.Draw(Panels, 0, 0, 0, EffectOpaque);
    Engine.Canvas.Draw(Panels, 0, 720, 15, EffectOpaque);

    if ((Engine.Mouse.ButtonDown(0) || TMenuKeys::Back(Engine.Keyboard)) && Engine.OnWidgetClick)
        Engine.OnWidgetClick("msCREDITS_OK");
}
