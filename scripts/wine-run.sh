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
# No Mono or Gecko installers, no desktop menu entries; the caller's overrides come on top.
export WINEDLLOVERRIDES="mscoree,mshtml=d;winemenubuilder.exe=d${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
# The same fonts on every machine: Wine's own (fonts-wine) and, through a private fontconfig
# configuration, the scale test's two test fonts, never whatever else the machine has installed.
export FONTCONFIG_FILE="$tavrik_top/scripts/wine-fonts.conf"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    "$WINELOADER" wineboot.exe -i >/dev/null 2>&1
    "$WINESERVER" -w
fi
# Wine's fonts lie in the prefix's Fonts folder, where Windows keeps its own (this Wine does not
# read them from its data folder). Copies, not links: Wine moves a link's target, so a test that
# sets a font aside would move the system's file. Checked at every run, which also gives back
# any font a test set aside and could not return.
for font in /usr/share/wine/fonts/*; do
    copy=$WINEPREFIX/drive_c/windows/Fonts/${font##*/}
    [ -f "$copy" ] && [ ! -L "$copy" ] || cp --remove-destination "$font" "$copy"
done
# Once per prefix and font set, the fonts an earlier set found on the machine are forgotten:
# Wine registers each font that fontconfig once listed (with a Z:\ path) and loads it from the
# registry on every later start.
fontsStamp=$WINEPREFIX/tavrik-fonts.conf
if ! cmp -s "$FONTCONFIG_FILE" "$fontsStamp"; then
    "$WINESERVER" -k >/dev/null 2>&1
    "$WINESERVER" -w
    for hive in system.reg user.reg; do
        awk '/^\[/ { fonts = ($0 ~ /^\[Software\\\\(Microsoft\\\\Windows( NT)?\\\\CurrentVersion\\\\Fonts|Wine\\\\Fonts\\\\External Fonts)\]/) }
             !(fonts && /^"[^"]*"="Z:\\\\/)' "$WINEPREFIX/$hive" >"$WINEPREFIX/$hive.new" &&
            mv "$WINEPREFIX/$hive.new" "$WINEPREFIX/$hive"
    done
    cp "$FONTCONFIG_FILE" "$fontsStamp"
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
