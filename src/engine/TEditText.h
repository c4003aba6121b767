#pragma once

#include <string>

// The text and caret of a one-line entry, in the game's single-byte encoding. The caret is a position
// between characters, 0 = before the first.
class TEditText {
  public:
    const std::string& Text() const { return FText; }
    // Replaces the text whatever the length limit, as a program may; the caret goes to the end.
    void SetText(const std::string& Text);
    void Clear();

    // 0 = no limit. Text already longer is kept; only typing is refused.
    void SetMaxLength(int Length) { MaxLength = Length; }
    int GetMaxLength() const { return MaxLength; }

    int Caret() const { return FCaret; }
    void SetCaret(int Position);

    // Inserts at the caret what fits under the limit; control characters are not text.
    void Insert(const std::string& Typed);
    void Backspace();
    void Delete();
    void Left() { SetCaret(FCaret - 1); }
    void Right() { SetCaret(FCaret + 1); }
    void Home() { FCaret = 0; }
    void End() { FCaret = static_cast<int>(FText.size()); }

  private:
    std::string FText;
    int FCaret = 0;
    int MaxLength = 0;
};
