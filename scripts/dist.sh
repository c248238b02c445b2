#!/usr/bin/env bash
# Writes the release under dist/: the installer (32-bit), the zip of the program folder that
# CPack makes from the install rules (package preset "release"), the browser extension's
# packages for the Chrome and Edge stores and for Firefox's add-ons site, and the SHA-256 list
# of them all.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/win-arch.sh"
cd "$tavrik_top"
scripts/build.sh
package=$(win_tree 32)/package
rm -rf dist "$package"
cpack --preset release >/dev/null
zip=$(cd "$package" && echo TavrikRateline-*.zip)
mkdir dist
cp "$package/$zip" dist/
cp "$(win_tree 32)/bin/rtln_setup.exe" "dist/${zip%.zip}-setup.exe"
cmake -DOUT_DIR="$package/store" -P "$(win_tree 32)/browser/store_packages.cmake"
cp "$package/store/${zip%.zip}-chrome.zip" "$package/store/${zip%.zip}-firefox.zip" dist/
(cd dist && sha256sum "${zip%.zip}-setup.exe" && cat "$package/$zip.sha256" &&
    sha256sum "${zip%.zip}-chrome.zip" "${zip%.zip}-firefox.zip") >dist/SHA256SUMS
echo "make dist: the release in dist/"
ls -l dist
