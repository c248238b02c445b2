#!/usr/bin/env bash
# Builds the libFuzzer targets of the platform-free code (clang, in build/fuzz) and runs each
# in turn for FUZZ_SECONDS seconds (default 60) on a fresh copy of its seed corpus under
# build/fuzz/work/, so the committed corpus never grows. Prints per target the executions,
# the coverage and the corpus size. A finding (crash, sanitizer report, failed property,
# hang) fails the run; its input stays under build/fuzz/findings/<target>/.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
seconds=${FUZZ_SECONDS:-60}
tree=build/fuzz

[ -f $tree/CMakeCache.txt ] || cmake -S . -B $tree -DTAVRIK_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
cmake --build $tree -j1 >/dev/null || { cmake --build $tree -j1; exit 1; }

status=0
for corpus in tests/fuzz/corpus/*/; do
    name=$(basename "$corpus")
    target=${name}_fuzz
    work=$tree/work/$name
    findings=$tree/findings/$name
    log=$tree/logs/$name.log
    rm -rf "$work" "$findings"
    mkdir -p "$work" "$findings" "$(dirname "$log")"
    cp "$corpus"* "$work/"
    seeds=$(ls "$work" | wc -l)
    # Low priority: the machine is shared. A single input taking 10 s counts as a hang.
    if nice -n 10 "$tree/bin/$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
            -artifact_prefix="$findings/" "$work" >"$log" 2>&1; then
        verdict="no finding"
    else
        verdict="FINDING: $(ls "$findings"/* 2>/dev/null | head -1)"
        status=1
    fi
    last=$(grep -E '(DONE|INITED|NEW|REDUCE|pulse) +cov:' "$log" | tail -1 || true)
    cov=$(sed -nE 's/.* cov: ([0-9]+).*/\1/p' <<<"$last")
    ft=$(sed -nE 's/.* ft: ([0-9]+).*/\1/p' <<<"$last")
    execs=$(sed -nE 's/^stat::number_of_executed_units: ([0-9]+)/\1/p' "$log")
    echo "$target: ${execs:-?} executions in ${seconds} s, cov ${cov:-?}, ft ${ft:-?}," \
         "corpus $(ls "$work" | wc -l) inputs (from $seeds seeds), $verdict"
    if [ "$verdict" != "no finding" ]; then
        grep -E 'property failed|ERROR: |runtime error|SUMMARY' "$log" | head -5 | sed 's/^/    /'
        echo "    log: $log"
    fi
done
[ $status -eq 0 ] && echo "fuzz: no findings" || echo "fuzz: FINDINGS (inputs under $tree/findings/)"
exit $status
