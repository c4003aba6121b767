#pragma once

#include <cstdint>
#include <string>

class TEngine;

// The campaign shop's refusal: a message on a panel for a moment, restarted by every new refusal.
class TAlert {
  public:
    TAlert(TEngine& Engine, int Font);

    // Starts the message when triggered, draws it while active, and ends it once its time is up.
    void Run();

    // Set to 1 to start (or restart) the message on the next frame.
    uint8_t Trigger = 0;
    int Font;
    uint8_t Active = 0;
    std::string Message;
    uint32_t StartTick = 0;
    int Duration = 1500;
    TEngine& EngineRef;
};
