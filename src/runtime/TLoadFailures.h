#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The load failures of one list (pictures, samples), gathered so that the player gets one message
// however many of its entries fail. Only the first few are spelled out; the rest are counted.
class TLoadFailures {
  public:
    static constexpr size_t ShownLines = 10;

    void Add(const std::string& Line);
    int Count() const { return Total; }
    // The lines kept, joined by Separator, then how many more failed.
    std::string Text(const std::string& Separator) const;

  private:
    std::vector<std::string> Lines;
    int Total = 0;
};
