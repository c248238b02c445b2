#!/usr/bin/env bash
# Usage: wine-session.sh start|stop 32|64, or wine-session.sh run 32|64 COMMAND [ARGS...]
# The session that a cross tree's programs run in under Wine: a private Xvfb display and the
# tree's prefix made ready for it. ctest starts and stops it around the tree's Windows tests
# (fixture wine_session, tests/CMakeLists.txt); "run" wraps one command in it. The display's
# number is kept in the tree (xvfb-display), where wine-run.sh finds it. Stopping ends this
# session's Xvfb and its prefixes' wineservers, never anyone else's.
set -u
source "$(dirname "${BASH_SOURCE[0]}")/win-arch.sh"
mode=${1:-} arch=${2:-}
tree=$(win_tree "$arch")
displayFile=$tree/xvfb-display

stop() {
    local prefix pid
    for prefix in "$(win_prefix "$arch")" "$tree/install-prefix$arch"; do
        WINEPREFIX=$prefix "$(win_server "$arch")" -k >/dev/null 2>&1
        WINEPREFIX=$prefix "$(win_server "$arch")" -w >/dev/null 2>&1
    done
    pid=$(sed -n 2p "$displayFile" 2>/dev/null)
    [ -n "$pid" ] && [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = Xvfb ] && kill "$pid"
    rm -f "$displayFile"
}

start() {
    # What an interrupted run left, and a wineserver that listing the test cases started on no display.
    stop
    mkdir -p "$tree"
    # Xvfb picks a free display itself and writes its number once it accepts clients, so that
    # sessions started side by side never share a display.
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$displayFile.new" >/dev/null 2>&1 </dev/null &
    local pid=$!
    for _ in $(seq 100); do
        [ -s "$displayFile.new" ] && break
        sleep 0.1
    done
    [ -s "$displayFile.new" ] || { echo "wine-session: Xvfb did not start" >&2; kill $pid; exit 1; }
    echo $pid >>"$displayFile.new"
    mv "$displayFile.new" "$displayFile"
    # No window manager runs on this display: Wine must not hand windows to one, or it waits up
    # to two seconds for each window that is hidden or destroyed.
    DISPLAY= "$tavrik_top/scripts/wine-run.sh" "$arch" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f \
        >/dev/null 2>&1 || { echo "wine-session: the prefix $(win_prefix "$arch") cannot be prepared" >&2; exit 1; }
}

case "$mode:$arch" in
    start:32 | start:64) start ;;
    stop:32 | stop:64) stop ;;
    run:32 | run:64)
        start
        trap stop EXIT
        trap 'exit 130' INT TERM
        shift 2
        DISPLAY= "$@"
        ;;
    *) echo "usage: wine-session.sh start|stop 32|64, or wine-session.sh run 32|64 COMMAND [ARGS...]" >&2; exit 2 ;;
esac
