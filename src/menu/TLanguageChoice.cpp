#include "menu/TLanguageChoice.h"

#include "app/Globals.h"
#include "engine/TWidgetInput.h"
#include "runtime/TAscii.h"

namespace {

constexpr uint32_t Plain = 0xFF7EAFB1u, ChosenColour = 0xFF32FBFFu, Hover = 0xFFFFFFFFu;
constexpr int Gap = 30;

} // namespace

TLanguageChoice::TLanguageChoice(TEngine& Engine, const std::string& ActionPrefix, int X, int Y, int Width,
                                 int Alignment)
    : FLanguages(TText::Languages(ProgramDir)), ActionPrefix(ActionPrefix) {
    // Rows are filled first, then each is placed, so that a centred row is centred as a whole.
    std::vector<std::vector<size_t>> Rows(1);
    int RowWidth = 0;
    std::vector<int> Widths;
    for (size_t Index = 0; Index < FLanguages.size(); ++Index) {
        Widths.push_back(TWidgetInput::TextWidth(Engine, 0, FLanguages[Index].Name));
        if (!Rows.back().empty() && RowWidth + Gap + Widths.back() > Width) {
            Rows.emplace_back();
            RowWidth = 0;
        }
        RowWidth += (Rows.back().empty() ? 0 : Gap) + Widths.back();
        Rows.back().push_back(Index);
    }
    FButtons.reserve(FLanguages.size());
    for (size_t Row = 0; Row < Rows.size(); ++Row) {
        int Total = -Gap;
        for (size_t Index : Rows[Row])
            Total += Widths[Index] + Gap;
        int Left = Alignment == 1 ? X - Total / 2 : X;
        for (size_t Index : Rows[Row]) {
            FButtons.emplace_back(Engine, 0, FLanguages[Index].Name, Left,
                                  Y + RowHeight * static_cast<int>(Row), Plain, Hover, 0,
                                  ActionPrefix + FLanguages[Index].File);
            Left += Widths[Index] + Gap;
        }
    }
}

void TLanguageChoice::Run() {
    for (size_t Index = 0; Index < FButtons.size(); ++Index) {
        FButtons[Index].Colour = TAscii::SameName(FLanguages[Index].File, Chosen) ? ChosenColour : Plain;
        FButtons[Index].Enabled = Enabled;
        FButtons[Index].Run();
    }
}

bool TLanguageChoice::OnClick(const std::string& Action) {
    if (Action.compare(0, ActionPrefix.size(), ActionPrefix) != 0)
        return false;
    Chosen = Action.substr(ActionPrefix.size());
    return true;
}
