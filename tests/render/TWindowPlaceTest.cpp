#include "render/TWindowPlace.h"

#include <gtest/gtest.h>

namespace {

TEST(TWindowPlaceTest, APlaceFitsOnlyWithASaneSizeAndItsCornerOnADisplay) {
    const std::vector<SDL_Rect> One = {{0, 0, 1920, 1080}};
    const std::vector<SDL_Rect> Two = {{0, 0, 1920, 1080}, {-1280, 0, 1280, 1024}};
    const std::vector<SDL_Rect> NoDisplay;
    const struct {
        TWindowPlace Place;
        const std::vector<SDL_Rect>& Displays;
        bool Fits;
    } Rows[] = {
        {{100, 80, 1024, 768}, One, true},
        {{0, 0, 1920, 1080}, One, true},
        {{1856, 1048, 800, 600}, One, true}, // the corner just on the screen
        {{1857, 80, 800, 600}, One, false},  // the title bar out of reach
        {{-1, -1, 1024, 768}, One, false},   // no place yet: centred
        {{-5000, 100, 1024, 768}, One, false},
        {{-1000, 100, 1024, 768}, Two, true},  // on the display left of the first
        {{3000, 100, 1024, 768}, Two, false},  // on a display that has gone
        {{100, 100, 100000, 768}, One, false}, // huge
        {{100, 100, 1024, 100000}, One, false},
        {{100, 100, 100, 768}, One, false}, // too small to use
        {{100, 100, 1024, 0}, One, false},
        {{100, 100, -1024, 768}, One, false},
        {{2147483647, 100, 1024, 768}, One, false}, // sums would overflow
        {{100, -2147483647 - 1, 1024, 768}, One, false},
        {{100, 100, 1024, 768}, NoDisplay, false}, // no display known
    };
    int Row = 0;
    for (const auto& Case : Rows) {
        SCOPED_TRACE(Row++);
        EXPECT_EQ(Case.Place.Fits(Case.Displays), Case.Fits);
    }
}

} // namespace
