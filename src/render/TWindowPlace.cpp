#include "render/TWindowPlace.h"

#include <algorithm>

bool TWindowPlace::Fits(const std::vector<SDL_Rect>& Displays) const {
    if (Width < MinWidth || Width > MaxSide || Height < MinHeight || Height > MaxSide)
        return false;
    // No desktop reaches this far, and the sums below stay in range.
    constexpr int Reach = 16 * MaxSide;
    if (X < -Reach || X > Reach || Y < -Reach || Y > Reach)
        return false;
    const SDL_Rect Grip{X, Y, GripWidth, GripHeight};
    return std::any_of(Displays.begin(), Displays.end(), [&](const SDL_Rect& Display) {
        SDL_Rect Common;
        return SDL_IntersectRect(&Grip, &Display, &Common) == SDL_TRUE && Common.w == GripWidth &&
               Common.h == GripHeight;
    });
}
