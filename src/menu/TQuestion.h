#pragma once

#include "engine/TEngineAnimButtonEx.h"

#include <string>

class TEngine;

// A question on the alerts' panel that waits for its answer: a yes and a no button, or Enter for yes and
// Esc for no. The answers reach the menu's dispatcher as the buttons' actions; the screen closes it.
class TQuestion {
  public:
    TQuestion(TEngine& Engine, const std::string& YesCaption, const std::string& YesAction,
              const std::string& NoCaption, const std::string& NoAction);

    // Shows Text, with Detail beneath it in large letters, until Close.
    void Ask(const std::string& Text, const std::string& Detail);
    void Close() { IsOpen = false; }
    bool Open() const { return IsOpen; }
    // Draws the question and takes its answer; once per frame, above the rest of the screen.
    void Run();

    std::string Text;
    std::string Detail;
    TEngineAnimButtonEx Yes;
    TEngineAnimButtonEx No;

  private:
    TEngine& Engine;
    bool IsOpen = false;
};
