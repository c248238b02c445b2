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
scripts/with-xvfb.sh bash -c '
  scripts/wine-run.sh build/win/bin/desk_bench.exe
  folder=build/bench-startup; mkdir -p "$folder"
  cp build/win/bin/rtln.exe resources/art/qzDigits.ttf "$folder/"; : > "$folder/site.qzd"
  scripts/wine-run.sh build/win/bin/startup_bench.exe "$(winepath -w "$folder")" "$(winepath -w build/win/bin/bare_dialog.exe)" 15
'
