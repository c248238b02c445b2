#!/usr/bin/env bash
# Runs a command with a private Xvfb display and the project's private Wine prefix,
# then stops the display and that prefix's wineserver (never anyone else's).
set -u
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export TAVRIK_WINEPREFIX="${TAVRIK_WINEPREFIX:-$top/build/wineprefix}"

display=
for n in $(seq 91 140); do
  if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then display=$n; break; fi
done
[ -n "$display" ] || { echo "with-xvfb: no free display number" >&2; exit 1; }

Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfbPid=$!
cleanup() {
  WINEPREFIX="$TAVRIK_WINEPREFIX" wineserver -k >/dev/null 2>&1
  kill "$xvfbPid" 2>/dev/null
  wait "$xvfbPid" 2>/dev/null
}
trap cleanup EXIT
trap 'exit 130' INT TERM
for _ in $(seq 100); do
  [ -e "/tmp/.X11-unix/X$display" ] && break
  sleep 0.1
done
export DISPLAY=":$display"
# No window manager runs on this display: Wine must not hand windows to one, or it waits up
# to two seconds for each window that is hidden or destroyed.
"$top/scripts/wine-run.sh" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
"$@"
