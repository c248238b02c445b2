#!/usr/bin/env bash
# Usage: dist_zip_test.sh TREE
# Packs TREE's program folder twice, as make dist does (CPack), a second apart: both zips must
# have the same bytes, their entries lie in sorted order under Rateline/, and the checksum
# that CPack writes must match.
set -eu
tree=$1 work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cpack --config "$tree/CPackConfig.cmake" -B "$work/a" >/dev/null
sleep 1.1
cpack --config "$tree/CPackConfig.cmake" -B "$work/b" >/dev/null
cmp "$work"/a/*.zip "$work"/b/*.zip
names=$(zipinfo -1 "$work"/a/*.zip)
[ "$names" = "$(LC_ALL=C sort <<<"$names")" ] || { echo "entries out of order:"; echo "$names"; exit 1; }
grep -qvx 'Rateline/.*' <<<"$names" && { echo "entries outside Rateline/:"; echo "$names"; exit 1; }
(cd "$work/a" && sha256sum -c --quiet ./*.sha256)
echo "$(wc -l <<<"$names") entries, the same bytes twice"
