#!/usr/bin/env bash
# Writes the release under dist/: the installer (32-bit), a zip of the program folder as the
# installer lays it out, and the SHA-256 list of both.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/win-arch.sh"
cd "$tavrik_top"
scripts/build.sh
bin=$(win_tree 32)/bin
url=$(sed -n 's/.*kMakerWebSite = "\(.*\)".*/\1/p' app/outside_links.h)
rm -rf dist
stage=dist/stage/Rateline
mkdir -p "$stage"
cp "$bin/rtln_setup.exe" dist/TavrikRateline-1.0-setup.exe
cp "$bin/rtln.exe" "$bin/uni_rtln.exe" "$bin/rtln.chm" resources/art/qzDigits.ttf resources/art/qzMain.ttf "$stage/"
printf '[InternetShortcut]\r\nURL=%s\r\n' "$url" >"$stage/Tavrik.url"
: >"$stage/site.qzd"
# The same bytes from the same sources: every entry carries the last commit's time.
epoch=$(git log -1 --format=%ct 2>/dev/null || echo 315532800)
find dist/stage -exec touch -h -d "@$epoch" {} +
(cd dist/stage && find Rateline | LC_ALL=C sort | zip -X -q -@ ../TavrikRateline-1.0.zip)
rm -rf dist/stage
(cd dist && sha256sum TavrikRateline-1.0-setup.exe TavrikRateline-1.0.zip >SHA256SUMS)
echo "make dist: the release in dist/"
ls -l dist
