#include "runtime/TFakeClock.h"

// Everything is inline; this file keeps the one-class-per-file layout and checks the header alone.
