#pragma once

#include <memory>

// The loading screen: shown while a mission file is read.
class TLoading {
  public:
    int LoadRequest = 0;
    bool Visible = false;

    // Draws the screen when visible, then loads the mission that was asked for.
    void Run();
};

extern std::unique_ptr<TLoading> Loading;
