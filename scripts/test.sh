#!/usr/bin/env bash
# Runs every test: platform-free code natively under the sanitizers, then the Windows tests and
# the UI tests of each cross tree this machine can run, under Wine of that tree's architecture
# on a private Xvfb display in a private prefix (ctest's fixture wine_session). A tree that
# cannot run here gets its checks that need no Wine (label nowine) and is reported as not run,
# never as passed.
set -u
source "$(dirname "${BASH_SOURCE[0]}")/win-arch.sh"
cd "$tavrik_top"
scripts/build.sh || { echo "make test: the build failed"; echo "make test: FAILED"; exit 1; }

# Each test program runs whole (ctest label "whole"), as one process: run case by case, the
# native cases take 20 times as long and each Windows case pays a Wine start. So ctest lists
# no single cases (label "case", cmake/test_cases.cmake) here.
export TAVRIK_TEST_CASES=off

status=0
echo "== native tests (AddressSanitizer, UBSan)"
ctest --preset native || status=1

# Static analysis (clang-tidy, cppcheck): any finding fails the run.
echo "== static analysis (clang-tidy, cppcheck)"
scripts/lint.sh || status=1

# Every fuzz target for a few seconds on its seed corpus, so a finding fails the run.
echo "== fuzz targets (libFuzzer, clang), 3 s each"
FUZZ_SECONDS=3 scripts/fuzz.sh || status=1

if win_select_arches; then
    echo "Windows tests: $WIN_ARCHES_NOTE"
else
    echo "Windows tests: none can run on this machine"
    status=1
    WIN_ARCHES=
fi
for arch in 32 64; do
    tree=$(win_tree $arch) preset=$(win_preset $arch)
    if [[ " $WIN_ARCHES " == *" $arch "* ]]; then
        echo "== $arch-bit Windows and UI tests (Wine $arch-bit, private display and prefix)"
        rm -rf "$tree/bin/artifacts"
        ctest --preset "$preset" || status=1
        # Screenshots taken by the UI tests, as PNG for people to look at.
        for shot in "$tree"/bin/artifacts/*.bmp; do
            [ -e "$shot" ] && convert "$shot" "${shot%.bmp}.png" && rm -f "$shot"
        done
        [ -d "$tree/bin/artifacts" ] && echo "screenshots: ${tree#"$tavrik_top/"}/bin/artifacts/"
    else
        echo "== $arch-bit tree: checks without Wine only (its Windows tests are not run on this machine)"
        ctest --preset "$preset" -L nowine || status=1
    fi
done

if [ $status -eq 0 ]; then echo "make test: all suites passed"; else echo "make test: FAILED"; fi
exit $status
