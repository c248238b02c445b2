#!/usr/bin/env bash
# Stages a program folder in its own Wine prefix and starts rtln.exe on the current display:
# the 32-bit program where this machine runs it, else the 64-bit one.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/win-arch.sh"
if [ -z "${DISPLAY:-}" ]; then
    echo "make run: no X display. Start one, for example: xvfb-run -a make run" >&2
    exit 1
fi
"$tavrik_top/scripts/build.sh"
win_select_arches
arch=${WIN_ARCHES%% *}
export TAVRIK_WINEPREFIX_BASE="$tavrik_top/build/run-prefix"
folder="$tavrik_top/build/run/Tavrik Rateline"
mkdir -p "$folder"
bin="$(win_tree "$arch")/bin"
cp "$bin/rtln.exe" "$bin/rtln.chm" "$tavrik_top/resources/art/qzDigits.ttf" "$tavrik_top/resources/art/qzMain.ttf" "$folder/"
# The program never creates its site database: an empty one is a valid start. Existing
# data of earlier runs is kept.
[ -e "$folder/site.qzd" ] || : > "$folder/site.qzd"
echo "make run: starting the $arch-bit $folder/rtln.exe (prefix $(win_prefix "$arch"))"
cd "$folder"
exec "$tavrik_top/scripts/wine-run.sh" "$arch" "$folder/rtln.exe"
