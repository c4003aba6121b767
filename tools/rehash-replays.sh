#!/bin/sh
# Writes the expected state hashes of the recorded replays in tests/replays/ anew, after a rule of play
# was changed on purpose. Builds and runs the replay test in the test build (the build `make test` uses),
# with ZERATHON_REHASH set so it writes NAME.hashes instead of comparing; then check the new hashes in
# with the change. Usage: tools/rehash-replays.sh [BUILD_DIR]   (default build/sanitize)
set -e
cd "$(dirname "$0")/.."
Build=${1:-build/sanitize}
if [ ! -f "$Build/CMakeCache.txt" ]; then
    cmake -S . -B "$Build" -DCMAKE_BUILD_TYPE=Debug -DZERATHON_SANITIZE=ON >/dev/null
fi
cmake --build "$Build" --target game_tests -j "$(nproc 2>/dev/null || echo 2)"
ZERATHON_REHASH=1 SDL_AUDIODRIVER=dummy "$Build/game_tests" --gtest_filter='TReplayTest.*'
git --no-pager diff --stat -- tests/replays 2>/dev/null || true
