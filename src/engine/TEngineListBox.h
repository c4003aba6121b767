#pragma once

#include "render/TRect.h"

#include <cstdint>
#include <string>
#include <vector>

class TEngine;

// A scrolling list of one-line items with its own scroll bar on the right; a click on an item selects
// it. Screens read the selection; selecting reports nothing. Items are in the game's single-byte encoding.
class TEngineListBox {
  public:
    TEngineListBox(TEngine& Engine, int X, int Y, int Width, int Height, int Font);

    // Draws the list and handles the mouse; once per frame.
    void Run();

    void Add(const std::string& Text);
    // Empties the list; the view and the selection stay for the screen to reset.
    void Clear() { Items.clear(); }
    // A sorted list keeps its items in alphabetical order, ignoring case, as they are added.
    void SetSorted(bool Sorted);
    bool Sorted() const { return FSorted; }
    // Empty for -1 and for any index that has no item.
    std::string GetItem(int Index) const;
    int Count() const { return static_cast<int>(Items.size()); }
    void ResetSelection() { SelectedIndex = -1; }
    int Selected() const { return SelectedIndex; }
    void Select(int Index) { SelectedIndex = Index; }

    int TopIndex() const { return FTopIndex; }
    void SetTopIndex(int Index) { FTopIndex = Index; }
    int VisibleRows() const { return FVisibleRows; }
    int RowHeight() const { return FRowHeight; }
    int ThumbLength() const { return FThumbLength; }
    int ThumbPosition() const { return FThumbPosition; }
    const TRect& Rect() const { return FRect; }

    bool NoBackground = false;
    // A disabled list is drawn as it is but does not scroll or select.
    bool Enabled = true;
    bool ScrollBarShown = true;
    uint32_t BackgroundColour = 0x800000u;
    uint32_t BorderColour = 0xFFFFFFu;
    uint32_t TextColour = 0xFFFFu;
    uint32_t SelectionColour = 0x8000u;

    // A held arrow scrolls one row at most this often.
    static constexpr int RepeatPeriod = 100;
    // The scroll bar's column width and its arrows' height.
    static constexpr int BarWidth = 21;
    // One notch of the mouse wheel over the list scrolls this many rows.
    static constexpr int WheelRows = 3;

  private:
    void DrawScrollBar();
    void HandleMouse();
    // Moves the view by Rows (negative: up), within the items.
    void Scroll(int Rows);
    // After scrolling down: never past the last full page, and at the top when everything fits.
    void ClampTopIndex();
    TRect RowRect(int Row) const;
    static bool SortsBefore(const std::string& A, const std::string& B);

    TEngine& Engine;
    std::vector<std::string> Items;
    bool FSorted = false;
    int FTopIndex = 0;
    int FVisibleRows = 0;
    uint32_t RepeatTime = 0;
    bool RepeatActive = false;
    int FThumbLength = 0;
    int FThumbPosition = 0;
    int Font;
    int CachedCount = 0;
    int Height, Width;
    TRect FRect;
    int SelectedIndex = -1;
    int FRowHeight = 1;
};
