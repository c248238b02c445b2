#!/usr/bin/env bash
# The choice of Windows trees, with the machine's two Wine loaders replaced by stubs that start
# or fail as a machine with or without 32-bit support would.
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
stubs=$(mktemp -d)
trap 'rm -rf "$stubs"' EXIT
printf '#!/bin/sh\necho wine-8.0\n' > "$stubs/starts"
printf '#!/bin/sh\necho "exec: wine: Exec format error" >&2\nexit 126\n' > "$stubs/fails"
chmod +x "$stubs/starts" "$stubs/fails"

passed=0 failed=0
# wine32, wine64, TAVRIK_WIN_ARCH -> the arches chosen, or "fail:" and a piece of the message
cases=(
    "starts starts auto  | 32 64 | 32-bit and 64-bit"
    "fails  starts auto  | 64    | 64-bit only (this machine runs no 32-bit programs)"
    "starts fails  auto  | 32    | 32-bit only (wine64 does not start on this machine)"
    "fails  fails  auto  | fail: | can run neither 32-bit nor 64-bit"
    "starts starts 64    | 64    | 64-bit only (TAVRIK_WIN_ARCH=64)"
    "starts starts 32    | 32    | 32-bit only (TAVRIK_WIN_ARCH=32)"
    "starts starts both  | 32 64 | 32-bit and 64-bit"
    "fails  starts both  | fail: | cannot run 32-bit Windows programs"
    "fails  starts 32    | fail: | cannot run 32-bit Windows programs"
    "starts starts 16    | fail: | must be 32, 64, both or auto"
)
for line in "${cases[@]}"; do
    IFS='|' read -r inputs expected note <<< "$line"
    read -r w32 w64 forced <<< "$inputs"
    expected=$(echo $expected) note=$(echo $note)
    result=$(TAVRIK_WINE32_LOADER="$stubs/$w32" TAVRIK_WINE64_LOADER="$stubs/$w64" TAVRIK_WIN_ARCH="$forced" \
             TAVRIK_WIN_ARCHES= bash -c 'source "$1"
                 if win_select_arches 2> "$2"; then echo "$WIN_ARCHES|$WIN_ARCHES_NOTE"; else echo "fail:|$(cat "$2")"; fi' \
             _ "$here/../../scripts/win-arch.sh" "$stubs/message")
    if [[ "$result" == "$expected|"* && "${result#*|}" == *"$note"* ]]; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAILED: wine32 $w32, wine64 $w64, TAVRIK_WIN_ARCH=$forced: got '$result', expected '$expected' with '$note'"
    fi
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
