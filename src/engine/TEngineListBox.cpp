#include "engine/TEngineListBox.h"

#include "engine/TEngine.h"
#include "engine/TWidgetInput.h"
#include "render/TVelaCanvas.h"
#include "render/TVelaMouse.h"
#include "runtime/TClock.h"

#include <algorithm>

namespace {

// Lower case of a Windows-1250 byte, so that names sort the same whatever their capitals.
unsigned char Folded(unsigned char C) {
    if ((C >= 'A' && C <= 'Z') || (C >= 0xC0 && C <= 0xDE && C != 0xD7))
        return static_cast<unsigned char>(C + 0x20);
    switch (C) {
    case 0x8A: // Š
    case 0x8C: // Ś
    case 0x8D: // Ť
    case 0x8E: // Ž
    case 0x8F: // Ź
        return static_cast<unsigned char>(C + 0x10);
    case 0xA3: // Ł
        return 0xB3;
    case 0xA5: // Ą
        return 0xB9;
    case 0xAA: // Ş
        return 0xBA;
    case 0xAF: // Ż
        return 0xBF;
    case 0xBC: // Ľ
        return 0xBE;
    default:
        return C;
    }
}

} // namespace

TEngineListBox::TEngineListBox(TEngine& Engine, int X, int Y, int Width, int Height, int Font)
    : Engine(Engine), Font(Font), Height(Height), Width(Width), FRect{X, Y, X + Width, Y + Height} {
    // A capital with an accent and a letter with a descender: the tallest a row gets.
    FRowHeight = std::max(TWidgetInput::TextHeight(Engine, Font, "\xC1y"), 1);
    FVisibleRows = (FRect.Bottom - 2 - FRect.Top - 2) / FRowHeight;
}

bool TEngineListBox::SortsBefore(const std::string& A, const std::string& B) {
    return std::lexicographical_compare(A.begin(), A.end(), B.begin(), B.end(), [](char X, char Y) {
        return Folded(static_cast<unsigned char>(X)) < Folded(static_cast<unsigned char>(Y));
    });
}

void TEngineListBox::Add(const std::string& Text) {
    if (FSorted)
        Items.insert(std::upper_bound(Items.begin(), Items.end(), Text, SortsBefore), Text);
    else
        Items.push_back(Text);
}

void TEngineListBox::SetSorted(bool Sorted) {
    FSorted = Sorted;
    if (Sorted)
        std::stable_sort(Items.begin(), Items.end(), SortsBefore);
}

std::string TEngineListBox::GetItem(int Index) const {
    if (Index < 0 || Index >= Count())
        return "";
    return Items[static_cast<size_t>(Index)];
}

TRect TEngineListBox::RowRect(int Row) const {
    const int Top = FRect.Top + 1 + FRowHeight * Row;
    return {FRect.Left + 1, Top, FRect.Right - BarWidth, Top + FRowHeight + 2};
}

void TEngineListBox::Run() {
    TVelaCanvas& Canvas = Engine.Canvas;
    if (!NoBackground)
        Canvas.FillRect(FRect, BackgroundColour, EffectBlend);
    const uint32_t Frame[4] = {BorderColour, BorderColour, BorderColour, BorderColour};
    Canvas.FrameRect(FRect, Frame, EffectBlend);
    Canvas.PutPixel(static_cast<float>(FRect.Left), static_cast<float>(FRect.Top), BorderColour, EffectBlend);

    if (SelectedIndex >= 0 && SelectedIndex >= FTopIndex && SelectedIndex < FTopIndex + FVisibleRows)
        Canvas.FillRect(RowRect(SelectedIndex - FTopIndex), SelectionColour, EffectBlend);

    for (int K = 0; K < Count() - FTopIndex; ++K) {
        if (FRect.Top + 2 + FRowHeight * K + FRowHeight >= FRect.Bottom - 2)
            break;
        Canvas.Flush();
        Engine.DrawText(Items[static_cast<size_t>(FTopIndex + K)], FRect.Left + 2,
                        FRect.Top - 2 + FRowHeight * K, 0, 0, TextColour, Font);
    }

    if (ScrollBarShown)
        DrawScrollBar();
    CachedCount = Count();
    if (!Enabled)
        return;
    // The wheel turned away from the player scrolls up, as in every list on the desktop.
    if (TWidgetInput::CursorInside(Engine, FRect))
        Scroll(-WheelRows * Engine.Mouse.WheelDelta());
    HandleMouse();
}

void TEngineListBox::Scroll(int Rows) {
    if (Rows == 0)
        return;
    FTopIndex = std::max(FTopIndex + Rows, 0);
    ClampTopIndex();
}

void TEngineListBox::DrawScrollBar() {
    TVelaCanvas& Canvas = Engine.Canvas;
    TVelaImage* Bar = Engine.GetTexture("scrollbar");
    const float BarX = static_cast<float>(FRect.Right - BarWidth);
    const int Top = FRect.Top, Bottom = FRect.Bottom;
    const int Tiles = (Bottom - BarWidth - Top - BarWidth) / BarWidth;
    for (int J = 0; J < Tiles; ++J)
        Canvas.Draw(Bar, BarX, static_cast<float>(Top + BarWidth + BarWidth * J), 1, EffectBlend);
    // The last tile meets the down arrow whatever the height.
    Canvas.Draw(Bar, BarX, static_cast<float>(Bottom - 43), 1, EffectBlend);
    Canvas.Draw(Bar, BarX, static_cast<float>(Top + 1), 0, EffectBlend);
    Canvas.Draw(Bar, BarX, static_cast<float>(Bottom - 22), 2, EffectBlend);

    const int Total = Count();
    if (Total == 0)
        return;
    const int Track = Bottom - Top - 42;
    FThumbLength = std::min(FVisibleRows * 100 / Total, 100) * Track / 100;
    FThumbPosition = std::min((FTopIndex * 100 / Total) * Track / 100 + Top + 21, Bottom - 22 - FThumbLength);
    // Raised only after placing it: the position is bounded by the length as computed.
    FThumbLength = std::max(FThumbLength, 14);
    Canvas.Draw(Bar, BarX, static_cast<float>(FThumbPosition + 1), 3, EffectBlend);
    Canvas.Draw(Bar, BarX, static_cast<float>(FThumbPosition + FThumbLength - 7), 4, EffectBlend);
    // The body pattern paints one row: a slice at every pixel of the thumb.
    for (int SliceY = FThumbPosition + 7; SliceY <= FThumbPosition + FThumbLength - 7; ++SliceY)
        Canvas.Draw(Bar, BarX, static_cast<float>(SliceY), 5, EffectBlend);
}

void TEngineListBox::ClampTopIndex() {
    if (CachedCount - FVisibleRows <= FTopIndex)
        FTopIndex = CachedCount - FVisibleRows;
    if (CachedCount < FVisibleRows)
        FTopIndex = 0;
}

void TEngineListBox::HandleMouse() {
    if (RepeatActive && SinceTick(RepeatTime) <= RepeatPeriod)
        return;
    RepeatTime = Now();
    RepeatActive = false;
    const TVelaMouse& Mouse = Engine.Mouse;
    if (!Mouse.ButtonDown(0))
        return;
    const int Right = FRect.Right, Top = FRect.Top, Bottom = FRect.Bottom;
    const TRect UpArrow{Right - BarWidth, Top + 1, Right - 1, Top + 21};
    const TRect DownArrow{Right - BarWidth, Bottom - 21, Right - 1, Bottom - 1};
    const TRect Thumb{Right - BarWidth, FThumbPosition, Right - 1, FThumbPosition + FThumbLength};
    if (TWidgetInput::CursorInside(Engine, UpArrow)) {
        RepeatActive = true;
        FTopIndex = std::max(FTopIndex - 1, 0);
    } else if (TWidgetInput::CursorInside(Engine, DownArrow)) {
        RepeatActive = true;
        if (CachedCount > FVisibleRows)
            ++FTopIndex;
        ClampTopIndex();
    } else if (TWidgetInput::CursorInside(Engine, Thumb)) {
        // Dragged by the mouse's own motion, not by where the cursor is, and without the arrows' delay.
        if (Mouse.DeltaY() < 0) {
            FTopIndex = std::max(FTopIndex - 1, 0);
        } else if (Mouse.DeltaY() > 0) {
            FTopIndex += CachedCount > FVisibleRows ? 2 : 1;
            ClampTopIndex();
        }
    } else {
        for (int Row = 0; Row < FVisibleRows; ++Row)
            if (FTopIndex + Row <= CachedCount - 1 && TWidgetInput::CursorInside(Engine, RowRect(Row)))
                SelectedIndex = FTopIndex + Row;
    }
}
