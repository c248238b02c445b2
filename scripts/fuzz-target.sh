#!/usr/bin/env bash
# Runs one libFuzzer target: fuzz-target.sh BINARY SEED_CORPUS WORK_FOLDER SECONDS. The seeds
# are copied to WORK_FOLDER/corpus first, so the committed corpus never grows. Prints one line
# with the executions, the coverage (cov, ft) and the corpus size; the log is WORK_FOLDER/log.
# A finding (crash, sanitizer report, failed property, hang) prints where its input was kept
# (WORK_FOLDER/findings/) and fails.
set -uo pipefail
binary=$1 seeds=$2 work=$3 seconds=$4
name=$(basename "$binary")
rm -rf "$work"
mkdir -p "$work/corpus" "$work/findings"
cp "$seeds"/* "$work/corpus/"
seedCount=$(ls "$work/corpus" | wc -l)
log=$work/log
# Low priority: the machine is shared. A single input taking 10 s counts as a hang.
nice -n 10 "$binary" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$work/findings/" "$work/corpus" >"$log" 2>&1
result=$?

last=$(grep -E ' cov: [0-9]+' "$log" | tail -1)
cov=$(sed -nE 's/.* cov: ([0-9]+).*/\1/p' <<<"$last")
ft=$(sed -nE 's/.* ft: ([0-9]+).*/\1/p' <<<"$last")
execs=$(sed -nE 's/^stat::number_of_executed_units: ([0-9]+)$/\1/p' "$log")
verdict="no finding"
[ $result -eq 0 ] || verdict="FINDING (exit $result): $(ls "$work"/findings/* 2>/dev/null | head -1)"
echo "$name ($seconds s): ${execs:-?} executions, cov ${cov:-?}, ft ${ft:-?}," \
     "corpus $(ls "$work/corpus" | wc -l) inputs (from $seedCount seeds), $verdict"
if [ $result -ne 0 ]; then
    grep -E 'property failed|ERROR: |runtime error|SUMMARY' "$log" | head -5 | sed 's/^/    /'
    echo "    log: $log"
fi
exit $result
