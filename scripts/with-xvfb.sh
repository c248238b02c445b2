#!/usr/bin/env bash
# Runs a command with a private Xvfb display, with the private prefixes of the Windows trees
# this machine runs (see win-arch.sh) ready for it, then stops the display and those prefixes'
# wineservers (never anyone else's).
set -u
source "$(dirname "${BASH_SOURCE[0]}")/win-arch.sh"
win_select_arches || exit 1

display=
for n in $(seq 91 140); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then display=$n; break; fi
done
[ -n "$display" ] || { echo "with-xvfb: no free display number" >&2; exit 1; }

Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfbPid=$!
cleanup() {
    for arch in $WIN_ARCHES; do
        WINEPREFIX=$(win_prefix "$arch") "$(win_server "$arch")" -k >/dev/null 2>&1
    done
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
for arch in $WIN_ARCHES; do
    "$tavrik_top/scripts/wine-run.sh" "$arch" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
done
"$@"
