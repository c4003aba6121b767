#include "engine/TEditText.h"

#include <algorithm>

void TEditText::SetText(const std::string& Text) {
    FText = Text;
    End();
}

void TEditText::Clear() {
    FText.clear();
    FCaret = 0;
}

void TEditText::SetCaret(int Position) {
    FCaret = std::clamp(Position, 0, static_cast<int>(FText.size()));
}

void TEditText::Insert(const std::string& Typed) {
    for (const char C : Typed) {
        if (static_cast<unsigned char>(C) < 0x20 || C == 0x7F)
            continue;
        if (MaxLength > 0 && static_cast<int>(FText.size()) >= MaxLength)
            return;
        FText.insert(FText.begin() + FCaret, C);
        ++FCaret;
    }
}

void TEditText::Backspace() {
    if (FCaret == 0)
        return;
    FText.erase(static_cast<size_t>(FCaret - 1), 1);
    --FCaret;
}

void TEditText::Delete() {
    if (FCaret < static_cast<int>(FText.size()))
        FText.erase(static_cast<size_t>(FCaret), 1);
}
