#include "runtime/TLoadFailures.h"

void TLoadFailures::Add(const std::string& Line) {
    if (Lines.size() < ShownLines)
        Lines.push_back(Line);
    ++Total;
}

std::string TLoadFailures::Text(const std::string& Separator) const {
    std::string Result;
    for (const std::string& Line : Lines)
        Result += (Result.empty() ? "" : Separator) + Line;
    const int More = Total - static_cast<int>(Lines.size());
    if (More > 0)
        Result += Separator + "and " + std::to_string(More) + " more";
    return Result;
}
