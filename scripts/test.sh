#!/usr/bin/env bash
# Runs every test: platform-free code natively under the sanitizers, then the Windows
# tests and the UI tests under Wine on a private Xvfb display in a private prefix.
set -u
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"
scripts/build.sh || { echo "make test: the build failed"; exit 1; }

status=0
echo "== native tests (AddressSanitizer, UBSan)"
ctest --test-dir build/native --output-on-failure || status=1
echo "== Windows and UI tests (Wine, private display and prefix)"
rm -rf build/win/bin/artifacts
scripts/with-xvfb.sh ctest --test-dir build/win --output-on-failure || status=1

# Screenshots taken by the UI tests, as PNG for people to look at.
for shot in build/win/bin/artifacts/*.bmp; do
  [ -e "$shot" ] && convert "$shot" "${shot%.bmp}.png" && rm -f "$shot"
done
[ -d build/win/bin/artifacts ] && echo "screenshots: build/win/bin/artifacts/"

if [ $status -eq 0 ]; then echo "make test: all suites passed"; else echo "make test: FAILED"; fi
exit $status
