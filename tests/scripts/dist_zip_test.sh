#!/usr/bin/env bash
# Usage: dist_zip_test.sh TREE
# Packs what make dist packs from TREE twice, a second apart: the program folder (CPack) and
# the browser extension's two store packages. Each pair must have the same bytes, the entries
# lie in sorted order (the program's under Rateline/, the extension's at the top with its
# manifest), and the checksum that CPack writes must match.
set -eu
tree=$1 work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
pack() {
    cpack --config "$tree/CPackConfig.cmake" -B "$1" >/dev/null
    cmake -DOUT_DIR="$1" -P "$tree/browser/store_packages.cmake"
}
pack "$work/a"
sleep 1.1
pack "$work/b"
for zip in "$work"/a/*.zip; do
    cmp "$zip" "$work/b/${zip##*/}"
    names=$(zipinfo -1 "$zip")
    [ "$names" = "$(LC_ALL=C sort <<<"$names")" ] || { echo "${zip##*/}: entries out of order:"; echo "$names"; exit 1; }
    case $zip in
        *-chrome.zip | *-firefox.zip) grep -qx manifest.json <<<"$names" && ! grep -q / <<<"$names" ;;
        *) ! grep -qvx 'Rateline/.*' <<<"$names" ;;
    esac || { echo "${zip##*/}: entries out of place:"; echo "$names"; exit 1; }
    echo "${zip##*/}: $(wc -l <<<"$names") entries, the same bytes twice"
done
(cd "$work/a" && sha256sum -c --quiet ./*.sha256)
