#!/usr/bin/env bash
# Stages a program folder in its own Wine prefix and starts rtln.exe on the current display.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
if [ -z "${DISPLAY:-}" ]; then
  echo "make run: no X display. Start one, for example: xvfb-run -a make run" >&2
  exit 1
fi
"$top/scripts/build.sh"
export TAVRIK_WINEPREFIX="$top/build/run-prefix"
folder="$top/build/run/Tavrik Rateline"
mkdir -p "$folder"
cp "$top/build/win/bin/rtln.exe" "$top/resources/art/qzDigits.ttf" "$top/resources/art/qzMain.ttf" "$folder/"
# The program never creates its site database: an empty one is a valid start. Existing
# data of earlier runs is kept.
[ -e "$folder/site.qzd" ] || : > "$folder/site.qzd"
echo "make run: starting $folder/rtln.exe (prefix $TAVRIK_WINEPREFIX)"
cd "$folder"
exec "$top/scripts/wine-run.sh" "$folder/rtln.exe"
