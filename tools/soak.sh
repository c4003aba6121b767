#!/bin/sh
# Long endless play with scripted input, to find memory that grows or leaks: once under AddressSanitizer
# and LeakSanitizer (no report allowed), once in Release (the resident memory at frame 10,000 and at the
# same moment of a game near the end must differ by less than 1 MB). Run by `make soak`.
#   tools/soak.sh RELEASE_GAME SANITIZE_GAME DATA_FOLDER [FRAMES [SANITIZE_FRAMES]]
# Both runs go through the drawing code without writing pixels (--no-raster), so 200,000 frames take
# minutes in Release; the sanitized game is still much slower: give it fewer frames when the hours are
# not there.
set -u
Release=$1
Sanitize=$2
Data=$3
Frames=${4:-200000}
SanitizeFrames=${5:-$Frames}
# A new game starts every Cycle frames (see the input below). The memory is read at frame First and at
# the same moment of the last game that ends before the run does, so both readings see the same screen.
Cycle=10000
First=10000
Last=$((First + (Frames - 500 - First) / Cycle * Cycle))
[ "$Last" -gt "$First" ] || { echo "soak: FRAMES must be above $((First + Cycle + 500))"; exit 2; }
Work=$(mktemp -d "${TMPDIR:-/tmp}/zerathon-soak.XXXXXX")
trap 'rm -rf "$Work"' EXIT
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
# A copy of the data, so the high scores and settings of the runs stay out of the build.
cp -R "$Data" "$Work/data" && Data="$Work/data"

# Read the briefing (Enter) and launch (Space), then in turn: thrust, turn left and right, fire every
# 30 frames and plant a mine every 500. A scripted pilot is shot down within a few thousand frames, so
# every Cycle frames the player leaves the game (Esc and OK, or OK under "game over") and starts a new
# endless game through the high scores and the menus, with the flying keys at rest meanwhile. The
# first new game starts before frame 10,000, so both memory readings fall in flight, after every screen
# has been shown once.
awk -v Frames="$((Frames > SanitizeFrames ? Frames : SanitizeFrames))" -v Cycle=$Cycle '
function Resting(F) { return F >= Leave && (F - Leave) % Cycle < Restart }
function Key(F, Code, Hold) {
    if (!Resting(F) && !Resting(F + Hold)) { print F " key down " Code; print F + Hold " key up " Code }
}
# The pointer moves only by steps that keep it on the screen: halving steps take it to the corner
# wherever it was, then one step puts it on the button.
function Click(F, X, Y,    Step) {
    for (Step = 512; Step >= 1; Step /= 2) print F++ " mouse move -" Step " -" Step
    print F + 2 " mouse move " X " " Y; print F + 5 " mouse down 0"; print F + 8 " mouse up 0"
}
BEGIN {
    Leave = 5000; Restart = 2100
    print "50 key down 28"; print "52 key up 28"; print "80 key down 57"; print "82 key up 57"
    for (F = 200; F < Frames; F += 400) { Key(F, 200, 150); Key(F + 160, 203, 40); Key(F + 250, 205, 50) }
    for (F = 210; F < Frames; F += 30) Key(F, 57, 3)
    for (F = 215; F < Frames; F += 500) Key(F, 28, 3)
    for (F = Leave; F + Restart < Frames; F += Cycle) {
        print F " key down 1"; print F + 3 " key up 1"
        Click(F + 10, 470, 417)   # OK, in the exit dialog and under "game over" alike
        Click(F + 210, 512, 662)  # back from the high scores
        Click(F + 710, 250, 112)  # New game, once the main menu has slid in
        Click(F + 1210, 200, 200) # Endless
        Click(F + 1610, 420, 662) # Start
        print F + 2010 " key down 28"; print F + 2013 " key up 28"
        print F + 2060 " key down 57"; print F + 2063 " key up 57"
    }
}' >"$Work/soak.input"

# Resident kilobytes of process $1 once the screenshot $2 exists; empty if the process ended first.
rss_when() {
    while kill -0 "$1" 2>/dev/null; do
        if [ -s "$2" ]; then
            awk '/^VmRSS:/ { print $2 }' "/proc/$1/status"
            return
        fi
        sleep 0.2
    done
}

Status=0
echo "soak: $SanitizeFrames frames under AddressSanitizer and LeakSanitizer ($Sanitize)"
Code=0
"$Sanitize" --data "$Data" --headless --no-raster --seed 1 --level ttd --frames "$SanitizeFrames" --step-ms 10 \
    --input "$Work/soak.input" >/dev/null 2>"$Work/stderr" || Code=$?
if grep -q "ERROR: \(Address\|Leak\)Sanitizer" "$Work/stderr"; then
    grep -A20 "ERROR: " "$Work/stderr" | head -60
    echo "soak: sanitizer reports: FAILED"
    Status=1
elif [ "$Code" -ne 0 ]; then
    tail -5 "$Work/stderr"
    echo "soak: the sanitized game ended with status $Code: FAILED"
    Status=1
else
    echo "soak: sanitizer reports: none"
fi

echo "soak: $Frames frames in Release ($Release)"
"$Release" --data "$Data" --headless --no-raster --seed 1 --level ttd --frames "$Frames" --step-ms 10 --input "$Work/soak.input" \
    --screenshot "$First:$Work/first.png" --screenshot "$Last:$Work/last.png" >/dev/null 2>"$Work/stderr" &
Game=$!
AtFirst=$(rss_when $Game "$Work/first.png")
AtLast=$(rss_when $Game "$Work/last.png")
wait $Game || true
if [ -z "$AtFirst" ] || [ -z "$AtLast" ]; then
    tail -5 "$Work/stderr"
    echo "soak: the game ended before frame $Last: FAILED"
    exit 1
fi
Growth=$((AtLast - AtFirst))
echo "soak: resident memory at frame $First: $AtFirst kB, at frame $Last: $AtLast kB, growth $Growth kB"
if [ "$Growth" -ge 1024 ]; then
    echo "soak: growth of 1 MB or more: FAILED"
    Status=1
fi
exit $Status
