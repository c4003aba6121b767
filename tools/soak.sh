#!/bin/sh
# Long endless play with scripted input, to find memory that grows or leaks: once under AddressSanitizer
# and LeakSanitizer (no report allowed), once in Release (the resident memory at frame 10,000 and near the
# end must differ by less than 1 MB). Run by `make soak`.
#   tools/soak.sh RELEASE_GAME SANITIZE_GAME DATA_FOLDER [FRAMES [SANITIZE_FRAMES]]
# The sanitized game draws every frame in instrumented code, some 50 times slower than Release: give it
# fewer frames when the hours are not there.
set -u
Release=$1
Sanitize=$2
Data=$3
Frames=${4:-200000}
SanitizeFrames=${5:-$Frames}
First=10000
# The end is read a little before the last frame: the process is gone right after it.
Last=$((Frames - 500))
[ "$Last" -gt "$First" ] || { echo "soak: FRAMES must be above $((First + 500))"; exit 2; }
Work=$(mktemp -d "${TMPDIR:-/tmp}/zerathon-soak.XXXXXX")
trap 'rm -rf "$Work"' EXIT
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
# A copy of the data, so the high scores and settings of the runs stay out of the build.
cp -R "$Data" "$Work/data" && Data="$Work/data"

# Read the briefing (Enter) and launch (Space), then in turn: thrust, turn left and right, fire every
# 30 frames and plant a mine every 500.
awk -v Frames="$((Frames > SanitizeFrames ? Frames : SanitizeFrames))" 'BEGIN {
    print "50 key down 28"; print "52 key up 28"; print "80 key down 57"; print "82 key up 57"
    for (F = 200; F < Frames; F += 400) {
        print F " key down 200"; print F + 150 " key up 200"
        print F + 160 " key down 203"; print F + 200 " key up 203"
        print F + 250 " key down 205"; print F + 300 " key up 205"
    }
    for (F = 210; F < Frames; F += 30) { print F " key down 57"; print F + 3 " key up 57" }
    for (F = 215; F < Frames; F += 500) { print F " key down 28"; print F + 3 " key up 28" }
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
"$Sanitize" --data "$Data" --headless --level ttd --frames "$SanitizeFrames" --step-ms 10 \
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
"$Release" --data "$Data" --headless --level ttd --frames "$Frames" --step-ms 10 --input "$Work/soak.input" \
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
