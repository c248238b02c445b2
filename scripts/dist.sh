#!/usr/bin/env bash
# Writes the release under dist/: the installer (32-bit), a zip of the program folder as the
# installer lays it out, and the SHA-256 list of both.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/win-arch.sh"
cd "$tavrik_top"
scripts/build.sh
bin=$(win_tree 32)/bin
# The version and the maker's site as CMake wrote them from the top CMakeLists.txt.
fact() { sed -n "s/^#define $1 \"\(.*\)\"$/\1/p" "$(win_tree 32)/generated/product_facts.h"; }
version=$(fact RTLN_VERSION_SHORT)
url=$(fact RTLN_MAKER_WEB_SITE)
[ -n "$version" ] && [ -n "$url" ] || { echo "make dist: no version or web site in product_facts.h" >&2; exit 1; }
release=TavrikRateline-$version
rm -rf dist
stage=dist/stage/Rateline
mkdir -p "$stage"
cp "$bin/rtln_setup.exe" "dist/$release-setup.exe"
cp "$bin/rtln.exe" "$bin/uni_rtln.exe" "$bin/rtln.chm" resources/art/qzDigits.ttf resources/art/qzMain.ttf "$stage/"
printf '[InternetShortcut]\r\nURL=%s\r\n' "$url" >"$stage/Tavrik.url"
: >"$stage/site.qzd"
# The same bytes from the same sources: every entry carries the last commit's time.
epoch=$(git log -1 --format=%ct 2>/dev/null || echo 315532800)
find dist/stage -exec touch -h -d "@$epoch" {} +
(cd dist/stage && find Rateline | LC_ALL=C sort | zip -X -q -@ "../$release.zip")
rm -rf dist/stage
(cd dist && sha256sum "$release-setup.exe" "$release.zip" >SHA256SUMS)
echo "make dist: the release in dist/"
ls -l dist
