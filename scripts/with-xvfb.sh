#!/usr/bin/env bash
# Runs a command with a private Xvfb display, with the private prefixes of the Windows trees
# this machine runs (see win-arch.sh) ready for it, then stops the display and those prefixes'
# wineservers (never anyone else's).
set -u
source "$(dirname "${BASH_SOURCE[0]}")/win-arch.sh"
win_select_arches || exit 1

# Xvfb picks a free display number itself and writes it once it accepts clients, so that
# runs started side by side never share a display (or stop each other's).
displayFile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$displayFile" >/dev/null 2>&1 &
xvfbPid=$!
cleanup() {
    for arch in $WIN_ARCHES; do
        WINEPREFIX=$(win_prefix "$arch") "$(win_server "$arch")" -k >/dev/null 2>&1
    done
    kill "$xvfbPid" 2>/dev/null
    wait "$xvfbPid" 2>/dev/null
    rm -f "$displayFile"
}
trap cleanup EXIT
trap 'exit 130' INT TERM
for _ in $(seq 100); do
    [ -s "$displayFile" ] && break
    sleep 0.1
done
display=$(head -n 1 "$displayFile")
[ -n "$display" ] || { echo "with-xvfb: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$display"
# No window manager runs on this display: Wine must not hand windows to one, or it waits up
# to two seconds for each window that is hidden or destroyed.
for arch in $WIN_ARCHES; do
    "$tavrik_top/scripts/wine-run.sh" "$arch" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
done
"$@"
