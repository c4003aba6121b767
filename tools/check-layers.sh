#!/bin/sh
# Fails, naming the file and the include, when a source file in src/ includes one from a floor above
# its own. The floors, from the ground (folders on one floor may include each other):
#   runtime < render, text < engine < particles < world < missions < menu < app
# Usage: tools/check-layers.sh [SOURCE_DIR]   (default: the checkout this script is in)
Top=${1:-$(dirname "$0")/..}
cd "$Top/src" || exit 2

floor() {
    case "$1" in
    runtime) echo 0 ;;
    render | text) echo 1 ;;
    engine) echo 2 ;;
    particles) echo 3 ;;
    world) echo 4 ;;
    missions) echo 5 ;;
    menu) echo 6 ;;
    app) echo 7 ;;
    *) echo "" ;;
    esac
}

Status=0
for File in */*.h */*.cpp; do
    Folder=${File%%/*}
    Own=$(floor "$Folder")
    if [ -z "$Own" ]; then
        echo "$File: src/$Folder is on no floor; add it to tools/check-layers.sh and the README"
        Status=1
        continue
    fi
    Includes=$(grep -n '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[A-Za-z_]*/' "$File") || continue
    Found=$(echo "$Includes" | while IFS= read -r Line; do
        Target=$(echo "$Line" | sed 's/^[^"]*"\([A-Za-z_]*\)\/.*/\1/')
        Other=$(floor "$Target")
        if [ -z "$Other" ] || [ "$Other" -gt "$Own" ]; then
            echo "src/$File:${Line%%:*}: includes a floor above $Folder: ${Line#*:}"
        fi
    done)
    if [ -n "$Found" ]; then
        echo "$Found"
        Status=1
    fi
done
[ $Status -eq 0 ] && echo "Every include in src/ points down or sideways."
exit $Status
