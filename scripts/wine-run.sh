#!/usr/bin/env bash
# Usage: wine-run.sh 32|64 PROGRAM [ARGS...]
# Runs a Windows program under Wine of the given architecture, in that architecture's private
# prefix (never ~/.wine), through its own loader and wineserver: /usr/bin/wine would pick wine32
# whenever it is installed. Each cross tree's CMake emulator, so ctest runs its tests through it.
source "$(dirname "${BASH_SOURCE[0]}")/win-arch.sh"
arch=${1:-}
case "$arch" in
    32 | 64) shift ;;
    *) echo "usage: wine-run.sh 32|64 PROGRAM [ARGS...]" >&2; exit 2 ;;
esac
export WINEPREFIX WINEARCH=win$arch WINELOADER WINESERVER
WINEPREFIX=$(win_prefix "$arch")
WINELOADER=$(win_loader "$arch")
WINESERVER=$(win_server "$arch")
# Without a display of its own, a program runs on the private one of its tree's session
# (wine-session.sh), as ctest's Windows tests do.
displayFile=$(win_tree "$arch")/xvfb-display
[ -z "${DISPLAY:-}" ] && [ -s "$displayFile" ] && export DISPLAY=":$(head -n 1 "$displayFile")"
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko installers, no desktop menu entries.
export WINEDLLOVERRIDES="mscoree,mshtml=d;winemenubuilder.exe=d"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    "$WINELOADER" wineboot.exe -i >/dev/null 2>&1
    "$WINESERVER" -w
fi
# Wine links the user's Desktop, Documents and the like to the Linux home folder. Shortcuts
# that installers and tests make there must stay inside the prefix: make them real folders.
for link in "$WINEPREFIX"/drive_c/users/*/*; do
    [ -L "$link" ] && rm -f "$link" && mkdir -p "$link"
done
# ctest lists a test program's cases from its --gtest_list_tests output (cmake/test_cases.cmake);
# the Windows runtime ends each line with CR LF, and the CR would end up in the names.
if [[ " $* " == *" --gtest_list_tests "* ]]; then
    set -o pipefail
    "$WINELOADER" "$@" | tr -d '\r'
    exit
fi
exec "$WINELOADER" "$@"
