#!/bin/sh
# Installs the game into a temporary prefix, validates its desktop entry and metainfo, then runs the
# installed game as a player with a fresh home folder: it must save into that folder only.
# Usage: InstallCheck.sh BUILD_DIR
set -eu
Build=$1
Here=$(cd "$(dirname "$0")" && pwd)
Work=$(mktemp -d)
trap 'rm -rf "$Work"' EXIT
Prefix=$Work/prefix
Home=$Work/home
mkdir -p "$Home"

fail() { echo "InstallCheck: $*" >&2; exit 1; }

cmake --install "$Build" --prefix "$Prefix" >/dev/null
for File in games/zerathon share/games/zerathon/Graphic/Textures.ini share/applications/zerathon.desktop \
            share/metainfo/io.github.kestrune.Zerathon.metainfo.xml share/man/man6/zerathon.6.gz \
            share/icons/hicolor/48x48/apps/zerathon.png share/icons/hicolor/256x256/apps/zerathon.png; do
    [ -e "$Prefix/$File" ] || fail "not installed: $File"
done
desktop-file-validate "$Prefix/share/applications/zerathon.desktop"
appstreamcli validate --no-net "$Prefix/share/metainfo/io.github.kestrune.Zerathon.metainfo.xml" >/dev/null

Before=$(cd "$Prefix" && find . -print0 | sort -z | xargs -0 ls -ld --time-style=+%s | md5sum)
env -u XDG_DATA_HOME HOME="$Home" SDL_AUDIODRIVER=dummy "$Prefix/games/zerathon" --headless --frames 200 \
    --step-ms 10 --input "$Here/NewPlayer.input" || fail "the installed game did not end normally"
After=$(cd "$Prefix" && find . -print0 | sort -z | xargs -0 ls -ld --time-style=+%s | md5sum)
[ "$Before" = "$After" ] || fail "the installed game wrote into its prefix"

Saves=$Home/.local/share/Kestrune/Zerathon
grep -q "^Active=" "$Saves/Settings.ini" || fail "no active profile in $Saves/Settings.ini"
ls "$Saves"/Users/*.sav >/dev/null 2>&1 || fail "no profile saved in $Saves/Users"
[ -s "$Saves/highscore.hsf" ] || fail "no high-score file in $Saves"
# An empty XDG_DATA_HOME counts as unset: the saves still go below the home folder.
Home2=$Work/home2
mkdir -p "$Home2"
env XDG_DATA_HOME= HOME="$Home2" SDL_AUDIODRIVER=dummy "$Prefix/games/zerathon" --headless --frames 200 \
    --step-ms 10 --input "$Here/NewPlayer.input" || fail "the installed game did not end normally"
ls "$Home2"/.local/share/Kestrune/Zerathon/Users/*.sav >/dev/null 2>&1 ||
    fail "with an empty XDG_DATA_HOME the profile was not saved below the home folder"
echo "InstallCheck: installed, validated, and saved into $Saves only"
