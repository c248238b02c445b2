#!/usr/bin/env bash
# Writes the release under dist/: the installer (32-bit), the zip of the program folder that
# CPack makes from the install rules (package preset "release"), and the SHA-256 list of both.
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
(cd dist && sha256sum "${zip%.zip}-setup.exe" && cat "$package/$zip.sha256") >dist/SHA256SUMS
echo "make dist: the release in dist/"
ls -l dist
