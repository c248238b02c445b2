#!/usr/bin/env bash
# Benchmarks: the site lookup against a plain read of the same file (natively and under
# Wine), and start-up to a visible window against a bare dialog (under Wine).
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"
# desk_bench is built optimised and without the sanitizers even in the native tree.
cmake --build build/native --target desk_bench -j2 >/dev/null
cmake --build build/win --target desk_bench startup_bench bare_dialog rtln -j2 >/dev/null

echo "== native"
build/native/bin/desk_bench
echo "== Wine"
folder=build/bench-startup
mkdir -p "$folder"
cp build/win/bin/rtln.exe resources/art/qzDigits.ttf "$folder/"
: > "$folder/site.qzd"
# Wine sees the Linux root as drive Z:.
windows() { echo "Z:$(realpath "$1" | tr / '\\')"; }
scripts/with-xvfb.sh bash -c "scripts/wine-run.sh build/win/bin/desk_bench.exe &&
  scripts/wine-run.sh build/win/bin/startup_bench.exe '$(windows "$folder")' '$(windows build/win/bin/bare_dialog.exe)' 15"

