#!/usr/bin/env bash
# Builds the libFuzzer targets of the platform-free code (clang, in build/fuzz) and runs each
# in turn for FUZZ_SECONDS seconds (default 60) on a fresh copy of its seed corpus
# (tests/fuzz/corpus/<target>/) under build/fuzz/work/<target>/. Fails on any finding.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
seconds=${FUZZ_SECONDS:-60}
tree=build/fuzz

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j1 >/dev/null || { cmake --build --preset fuzz -j1; exit 1; }

status=0
for seeds in tests/fuzz/corpus/*/; do
    name=$(basename "$seeds")
    scripts/fuzz-target.sh "$tree/bin/${name}_fuzz" "$seeds" "$tree/work/$name" "$seconds" || status=1
done
if [ $status -eq 0 ]; then echo "fuzz: no findings"; else echo "fuzz: FINDINGS (inputs under $tree/work/*/findings/)"; fi
exit $status
