#include "engine/TEngineCutLabel.h"

#include "engine/TEngine.h"
#include "engine/TWidgetInput.h"

namespace {

// Blanks and control characters off both ends.
std::string Trimmed(const std::string& Text) {
    size_t First = 0, Last = Text.size();
    while (First < Last && static_cast<unsigned char>(Text[First]) <= ' ')
        ++First;
    while (Last > First && static_cast<unsigned char>(Text[Last - 1]) <= ' ')
        --Last;
    return Text.substr(First, Last - First);
}

} // namespace

TEngineCutLabel::TEngineCutLabel(TEngine& Engine, int Font, int X, int Y, int MaxWidth, int LineSpacing,
                                 uint32_t Colour, const std::string& Text)
    : Colour(Colour), Engine(Engine), Font(Font), Y(Y), X(X), MaxWidth(MaxWidth), LineSpacing(LineSpacing) {
    Break(Text);
}

void TEngineCutLabel::Break(const std::string& Text) {
    std::string Piece;
    for (const char C : Text) {
        if (C == '^') {
            FLines.push_back(Trimmed(Piece));
            Piece.clear();
            continue;
        }
        Piece += C;
        // Measured only at blanks, so a line may run over the limit by its last word.
        if (C == ' ' && TWidgetInput::TextWidth(Engine, Font, Piece) > MaxWidth) {
            FLines.push_back(Trimmed(Piece));
            Piece.clear();
        }
    }
    FLines.push_back(Trimmed(Piece));
}

void TEngineCutLabel::Run() {
    for (size_t I = 0; I < FLines.size(); ++I)
        Engine.DrawText(FLines[I], X, Y + static_cast<int>(I) * LineSpacing, 0, 0, Colour, Font);
}
