#!/usr/bin/env bash
# Installs the program with its own installer, silently, into a private Wine prefix and starts
# the installed rtln.exe on the current display: the 32-bit program where this machine runs it,
# else the 64-bit one. A reinstall keeps the data of earlier runs (site.qzd, sess.qzd).
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
wine=("$tavrik_top/scripts/wine-run.sh" "$arch")
# The members run Windows 10 or 11 (Wine reports 7 unless told): there the installer takes any
# folder, such as one in a profile named in letters outside the ANSI code page.
"${wine[@]}" reg add 'HKCU\Software\Wine' /v Version /d win10 /f >/dev/null 2>&1
# The display scale the program opens at: TAVRIK_DPI=144 for 150 %, 192 for 200 %.
"${wine[@]}" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "${TAVRIK_DPI:-96}" /f >/dev/null 2>&1
echo "make run: installing the $arch-bit program (prefix $(win_prefix "$arch"))"
if ! "${wine[@]}" "$(win_tree "$arch")/bin/rtln_setup.exe" /S; then
    echo "make run: the installer failed (a running Tavrik Rateline must be closed first)" >&2
    exit 1
fi
folder=$("${wine[@]}" reg query 'HKCU\Software\Tavrik\RL\Settings' /v PathRL 2>/dev/null |
         sed -n 's/.*REG_SZ[[:space:]]*\(.*\)\r\{0,1\}$/\1/p' | tr -d '\r')
[ -n "$folder" ] || { echo "make run: the installation wrote no PathRL" >&2; exit 1; }
echo "make run: starting ${folder}rtln.exe"
exec "${wine[@]}" "${folder}rtln.exe"
