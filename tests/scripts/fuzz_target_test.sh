#!/usr/bin/env bash
# One fuzz target's run and report, with the target replaced by a stub that prints what
# libFuzzer prints and ends as a clean run or a finding would. The cases share one work
# folder, in order, so each also shows that a run starts from the seeds alone.
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir "$tmp/seeds"
echo one > "$tmp/seeds/a"
echo two > "$tmp/seeds/b"
cat > "$tmp/stub_fuzz" <<'STUB'
#!/bin/bash
for arg; do case $arg in -artifact_prefix=*) prefix=${arg#*=} ;; esac; done
corpus=${!#}
case $STUB in
clean)  echo new > "$corpus/grown"
        printf '#2\tINITED cov: 5 ft: 6 corp: 2/8b\n#1234\tDONE   cov: 82 ft: 282 corp: 3/1Kb\n'
        echo "stat::number_of_executed_units: 1234"; exit 0 ;;
crash)  echo input > "${prefix}crash-abc"
        printf '#7\tNEW    cov: 9 ft: 10 corp: 3/9b\nproperty failed: x (t.cpp:1)\n'
        echo "stat::number_of_executed_units: 7"; exit 77 ;;
asan)   echo "ERROR: AddressSanitizer: heap-buffer-overflow"; exit 1 ;;
esac
STUB
chmod +x "$tmp/stub_fuzz"

passed=0 failed=0
# stub behaviour | exit | pieces the output must hold (separated by ;)
cases=(
    "crash | 77 | stub_fuzz (3 s): 7 executions, cov 9, ft 10,;FINDING (exit 77): $tmp/work/findings/crash-abc;property failed: x"
    "clean | 0  | stub_fuzz (3 s): 1234 executions, cov 82, ft 282, corpus 3 inputs (from 2 seeds), no finding"
    "asan  | 1  | ? executions, cov ?, ft ?, corpus 2 inputs (from 2 seeds), FINDING (exit 1): ;heap-buffer-overflow"
)
for line in "${cases[@]}"; do
    IFS='|' read -r stub expected pieces <<< "$line"
    stub=$(echo $stub) expected=$(echo $expected) pieces=$(echo "$pieces" | sed 's/^ *//')
    output=$(STUB=$stub "$here/../../scripts/fuzz-target.sh" "$tmp/stub_fuzz" "$tmp/seeds" "$tmp/work" 3)
    result=$?
    ok=1
    [ "$result" = "$expected" ] || ok=0
    IFS=';' read -ra wanted <<< "$pieces"
    for piece in "${wanted[@]}"; do [[ "$output" == *"$piece"* ]] || ok=0; done
    # The committed seeds never grow; a finding's input is kept.
    [ "$(ls "$tmp/seeds")" = "$(printf 'a\nb')" ] || ok=0
    [ "$stub" != crash ] || [ -f "$tmp/work/findings/crash-abc" ] || ok=0
    [ "$stub" != clean ] || [ -z "$(ls "$tmp/work/findings")" ] || ok=0
    if [ $ok -eq 1 ]; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAILED: stub $stub: exit $result (expected $expected), output:"
        echo "$output"
    fi
done
echo "fuzz target runs: $passed passed, $failed failed"
[ $failed -eq 0 ]
