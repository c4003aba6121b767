#include <gtest/gtest.h>

#include <SDL.h>

int main(int argc, char** argv) {
    // Tests never open a window or an audio device.
    SDL_setenv("SDL_AUDIODRIVER", "dummy", 1);
    SDL_setenv("SDL_VIDEODRIVER", "dummy", 1);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
