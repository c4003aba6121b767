#!/bin/sh
# Takes the README's screenshots headless from the staged game: the main menu of a new player and a
# campaign mission in play, in English. Usage: tools/TakeScreenshots.sh [BUILD_DIR] (default build)
set -eu
Top=$(cd "$(dirname "$0")/.." && pwd)
Game=${1:-$Top/build}/game
Work=$(mktemp -d)
trap 'rm -rf "$Work"' EXIT

fresh_copy() {
    rm -rf "$Work/game"
    cp -r "$Game" "$Work/game"
    rm -rf "$Work/game/Users" "$Work/game/Settings.ini" "$Work/game/Text/highscore.hsf"
    printf '[Language]\nLanguage=English\n' > "$Work/game/Settings.ini"
}

fresh_copy
"$Work/game/zerathon" --data "$Work/game" --headless --step-ms 10 --seed 3 --frames 700 \
    --input "$Top/tests/install/NewPlayer.input" --screenshot "699:$Top/docs/menu.png"
fresh_copy
"$Work/game/zerathon" --data "$Work/game" --headless --step-ms 10 --seed 7 --frames 1101 --level level05 \
    --input "$Top/tools/screenshots-play.input" --screenshot "1100:$Top/docs/play.png"
echo "docs/menu.png docs/play.png written"
