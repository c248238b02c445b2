#!/usr/bin/env bash
# Usage: install_round_trip.sh 32|64 TREE
# Runs TREE's installer tests in a fresh private prefix of their own, so that the installer
# meets a machine where the program never was. Needs the display of with-xvfb.sh.
set -u
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/win-arch.sh"
arch=$1 tree=$2
export TAVRIK_WINEPREFIX_BASE="$tree/install-prefix"
prefix=$(win_prefix "$arch")
WINEPREFIX=$prefix "$(win_server "$arch")" -k >/dev/null 2>&1
rm -rf "$prefix"
"$tavrik_top/scripts/wine-run.sh" "$arch" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
start=$(date +%s%N)
"$tavrik_top/scripts/wine-run.sh" "$arch" "$tree/bin/install_tests.exe"
status=$?
echo "install round trip: $((($(date +%s%N) - start) / 1000000)) ms (the prefix was made before)"
WINEPREFIX=$prefix "$(win_server "$arch")" -k >/dev/null 2>&1
exit $status
