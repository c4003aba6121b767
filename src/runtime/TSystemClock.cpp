#include "runtime/TSystemClock.h"

#include <SDL.h>

uint32_t TSystemClock::TickCount() {
    return SDL_GetTicks();
}

int64_t TSystemClock::PerformanceCounter() {
    return static_cast<int64_t>(SDL_GetPerformanceCounter());
}

int64_t TSystemClock::PerformanceFrequency() {
    return static_cast<int64_t>(SDL_GetPerformanceFrequency());
}

void TSystemClock::Sleep(uint32_t Milliseconds) {
    SDL_Delay(Milliseconds);
}
