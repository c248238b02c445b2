#!/usr/bin/env bash
# Long runs of the real rtln.exe under Wine, in each cross tree this machine runs (not part of
# make test): evaluations in one run, banner and session cycles with both timers running, and
# starts over every kind of stored setting (tests/endurance/). The counts come from
# TAVRIK_ENDURANCE_EVALUATIONS (10000), TAVRIK_ENDURANCE_CYCLES (1000) and
# TAVRIK_ENDURANCE_STARTS (1000). WINEDEBUG is passed on, so WINEDEBUG=warn+heap runs everything
# under Wine's heap checking. Prints the figures of each tree; fails on a failed check and on any
# sign in Wine's output of a crash or a damaged heap. The whole output is kept in build/endurance/.
set -u
source "$(dirname "${BASH_SOURCE[0]}")/win-arch.sh"
cd "$tavrik_top"
win_select_arches || exit 1
mkdir -p build/endurance
status=0
for arch in $WIN_ARCHES; do
    tree=$(win_tree "$arch")
    label=$(basename "$tree")
    log=build/endurance/$label.log
    echo "== $arch-bit tree ($label)"
    if ! cmake --build "$tree" --target endurance_tests -j2 >"$log" 2>&1; then
        echo "[$label] the build failed (see $log)"
        status=1
        continue
    fi
    scripts/wine-session.sh run "$arch" scripts/wine-run.sh "$arch" "$tree/bin/endurance_tests.exe" >"$log" 2>&1
    result=$?
    grep '^endurance: ' "$log" | sed "s/^endurance: /[$label] /"
    signs=$(grep -E 'Unhandled (exception|page fault)|winedbg|malloc\(\)|free\(\)|double free|corrupted|Aborted|:heap:' "$log")
    if [ -n "$signs" ]; then
        echo "[$label] Wine reported $(echo "$signs" | wc -l) line(s) of crash or heap trouble, the first:"
        echo "$signs" | head -10
        status=1
    fi
    if [ $result -ne 0 ]; then
        echo "[$label] FAILED (exit code $result):"
        grep -E '^\[  FAILED|Failure|Expected|Which is|error' "$log" | head -30
        status=1
    fi
done
if [ $status -eq 0 ]; then echo "make endurance: all checks passed"; else echo "make endurance: FAILED"; fi
exit $status
