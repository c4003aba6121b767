#include "menu/TLanguageChoice.h"

#include "engine/TWidgetInput.h"
#include "runtime/TAscii.h"
#include "runtime/TGameFolders.h"

#include <algorithm>

namespace {

constexpr uint32_t Plain = 0xFF7EAFB1u, ChosenColour = 0xFF32FBFFu, Hover = 0xFFFFFFFFu;
constexpr int Gap = 30;

// A name longer than the room, cut to it, so that it never runs over what is beside it.
std::string CutToWidth(const TEngine& Engine, std::string Name, int Room) {
    if (TWidgetInput::TextWidth(Engine, 0, Name) <= Room)
        return Name;
    do
        Name.pop_back();
    while (Name.size() > 1 && TWidgetInput::TextWidth(Engine, 0, Name + "...") > Room);
    return Name + "...";
}

} // namespace

std::vector<std::vector<size_t>> TLanguageChoice::Flow(const std::vector<int>& Widths, int Width) {
    std::vector<std::vector<size_t>> Rows(1);
    int RowWidth = 0;
    for (size_t Index = 0; Index < Widths.size(); ++Index) {
        if (!Rows.back().empty() && RowWidth + Gap + Widths[Index] > Width) {
            Rows.emplace_back();
            RowWidth = 0;
        }
        RowWidth += (Rows.back().empty() ? 0 : Gap) + Widths[Index];
        Rows.back().push_back(Index);
    }
    return Rows;
}

TLanguageChoice::TLanguageChoice(TEngine& Engine, const std::string& ActionPrefix, int X, int Y, int Width,
                                 int Alignment, int MaxRows)
    : FLanguages(TText::Languages(ProgramDir)), ActionPrefix(ActionPrefix) {
    const std::string MoreCaption = "\xBB"; // a right-pointing double angle quote in Windows-1250
    const int MoreWidth = TWidgetInput::TextWidth(Engine, 0, MoreCaption);
    std::vector<std::string> Names;
    std::vector<int> Widths;
    auto Measure = [&](int Room) {
        Names.clear();
        Widths.clear();
        for (const TText::TLanguage& Language : FLanguages) {
            Names.push_back(CutToWidth(Engine, Language.Name, Room));
            Widths.push_back(TWidgetInput::TextWidth(Engine, 0, Names.back()));
        }
    };
    Measure(Width);
    std::vector<std::vector<size_t>> Rows = Flow(Widths, Width);
    MaxRows = std::max(MaxRows, 1);
    if (static_cast<int>(Rows.size()) > MaxRows) {
        // Pages, each with room for the button that turns them.
        Measure(Width - Gap - MoreWidth);
        Rows = Flow(Widths, Width - Gap - MoreWidth);
        PageTotal = (static_cast<int>(Rows.size()) + MaxRows - 1) / MaxRows;
    }
    FButtons.reserve(FLanguages.size());
    for (size_t Row = 0; Row < Rows.size(); ++Row) {
        const int Page = static_cast<int>(Row) / MaxRows;
        const int Top = Y + RowHeight * (static_cast<int>(Row) % MaxRows);
        int Total = -Gap;
        for (size_t Index : Rows[Row])
            Total += Widths[Index] + Gap;
        const bool LastOfPage =
            PageTotal > 1 && (static_cast<int>(Row) % MaxRows == MaxRows - 1 || Row + 1 == Rows.size());
        if (LastOfPage)
            Total += Gap + MoreWidth;
        int Left = Alignment == 1 ? X - Total / 2 : X;
        for (size_t Index : Rows[Row]) {
            FButtons.emplace_back(Engine, 0, Names[Index], Left, Top, Plain, Hover, 0,
                                  ActionPrefix + FLanguages[Index].File);
            Pages.push_back(Page);
            Left += Widths[Index] + Gap;
        }
        if (LastOfPage)
            More.emplace_back(Engine, 0, MoreCaption, Left, Top, Plain, Hover, 0, MoreAction());
    }
}

void TLanguageChoice::Run() {
    // The page of the chosen language is the one shown first.
    if (PagedTo != Chosen) {
        PagedTo = Chosen;
        for (size_t Index = 0; Index < FLanguages.size(); ++Index)
            if (TAscii::SameName(FLanguages[Index].File, Chosen))
                ShownPage = Pages[Index];
    }
    for (size_t Index = 0; Index < FButtons.size(); ++Index) {
        if (Pages[Index] != ShownPage)
            continue;
        FButtons[Index].Colour = TAscii::SameName(FLanguages[Index].File, Chosen) ? ChosenColour : Plain;
        FButtons[Index].Enabled = Enabled;
        FButtons[Index].Run();
    }
    if (!More.empty()) {
        More[static_cast<size_t>(ShownPage)].Enabled = Enabled;
        More[static_cast<size_t>(ShownPage)].Run();
    }
}

bool TLanguageChoice::OnClick(const std::string& Action) {
    if (Action.compare(0, ActionPrefix.size(), ActionPrefix) != 0)
        return false;
    if (Action == MoreAction()) {
        ShownPage = (ShownPage + 1) % PageTotal;
        return true;
    }
    Chosen = Action.substr(ActionPrefix.size());
    return true;
}
