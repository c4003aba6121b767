#include "runtime/TPictureLimits.h"

bool TPictureLimits::Check(uint64_t Width, uint64_t Height, std::string* Error) {
    if (Width == 0 || Height == 0) {
        Fail(Error, "picture has no pixels");
        return false;
    }
    if (Width > static_cast<uint64_t>(MaxSide) || Height > static_cast<uint64_t>(MaxSide) ||
        Width * Height > MaxPixels) {
        Fail(Error,
             "picture of " + std::to_string(Width) + " x " + std::to_string(Height) + " pixels is too large");
        return false;
    }
    return true;
}
