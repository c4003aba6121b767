#pragma once

#include <cstdint>
#include <string>
#include <vector>

class TEngine;

// Text broken into lines once, at blanks where a line grows wider than the limit, and at every "^".
class TEngineCutLabel {
  public:
    TEngineCutLabel(TEngine& Engine, int Font, int X, int Y, int MaxWidth, int LineSpacing, uint32_t Colour,
                    const std::string& Text);

    // Draws every line; once per frame.
    void Run();

    const std::vector<std::string>& Lines() const { return FLines; }

    uint32_t Colour;

  private:
    void Break(const std::string& Text);

    TEngine& Engine;
    std::vector<std::string> FLines;
    int Font;
    int Y, X;
    int MaxWidth;
    int LineSpacing;
};
