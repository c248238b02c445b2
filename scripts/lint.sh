#!/usr/bin/env bash
# Static analysis: clang-tidy (.clang-tidy) over the Win32 sources of the 32-bit cross tree and
# the platform-free sources of the native tree, then cppcheck over the programs and their tests
# (suppressions with reasons in cppcheck-suppressions.txt). Prints a count per tool; fails on any
# finding. --changed limits clang-tidy to the files changed since the branch left main (and the
# sources that include a changed header); cppcheck always runs whole.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/win-arch.sh"
cd "$tavrik_top"
changed_only=no
[ "${1:-}" = "--changed" ] && changed_only=yes
out=build/lint
rm -rf "$out" && mkdir -p "$out"
source_dirs='app|base|desk|session|player|uninstall'

# The trees' compile commands (configuring is enough: nothing needs to be built).
win=$(win_tree 32)
[ -f build/native/compile_commands.json ] || cmake --preset native >/dev/null
[ -f "$win/compile_commands.json" ] || cmake --preset "$(win_preset 32)" >/dev/null

# The project's sources listed in a compile database, one per line.
sources_of() {
    python3 - "$1" "$tavrik_top" "$source_dirs" <<'PY'
import json, re, sys
db, top, dirs = sys.argv[1:]
pattern = re.compile(re.escape(top) + r'/(' + dirs + r')/[^/]+\.cpp$')
print('\n'.join(sorted({e['file'] for e in json.load(open(db)) if pattern.match(e['file'])})))
PY
}
win_sources=$(sources_of "$win/compile_commands.json")
native_sources=$(sources_of build/native/compile_commands.json)

if [ $changed_only = yes ]; then
    base=$(git merge-base HEAD main 2>/dev/null || git rev-parse HEAD)
    changed=$( { git diff --name-only "$base"; git ls-files --others --exclude-standard; } | sort -u)
    headers=$(grep -E '\.h$' <<<"$changed" | xargs -r -n1 basename)
    keep() {  # the listed sources that changed or include a changed header
        while read -r f; do
            [ -n "$f" ] || continue
            if grep -qxF "${f#"$tavrik_top/"}" <<<"$changed"; then echo "$f"; continue; fi
            for h in $headers; do grep -q "#include \".*$h\"" "$f" && { echo "$f"; break; }; done
        done
    }
    win_sources=$(keep <<<"$win_sources")
    native_sources=$(keep <<<"$native_sources")
fi

# The mingw C++ and Windows headers, as the cross compiler finds them; clang brings its own
# compiler headers (intrinsics), so GCC's own include and include-fixed folders are left out.
mingw_args=(--extra-arg=--target=i686-w64-mingw32)
while read -r dir; do
    mingw_args+=("--extra-arg=-isystem$dir")
done < <(echo | i686-w64-mingw32-g++-posix -x c++ -E -v - 2>&1 |
         sed -n '/#include <...>/,/End of search/p' | sed '1d;$d;s/^ //' | grep -vE '/include(-fixed)?$')

tidy() {  # tree, label, sources...
    local tree=$1 label=$2; shift 2
    [ $# -eq 0 ] && return 0
    local extra=()
    [ "$tree" = "$win" ] && extra=("${mingw_args[@]}")
    printf '%s\n' "$@" | xargs -P2 -n4 clang-tidy -p "$tree" --quiet "${extra[@]}" \
        >"$out/tidy-$label.txt" 2>"$out/tidy-$label.err"
    return 0
}
start=$SECONDS
# shellcheck disable=SC2086
tidy "$win" win $win_sources
# shellcheck disable=SC2086
tidy build/native native $native_sources
# One finding per place and check (a header's finding shows in every source that includes it).
grep -hE '^/.*:[0-9]+:[0-9]+: (warning|error): .*\[[a-z0-9.,-]+\]$' "$out"/tidy-*.txt 2>/dev/null |
    sed "s|^$tavrik_top/||" | sed -E 's|^[a-z]+/\.\./||' | sort -u >"$out/clang-tidy.txt"
tidy_count=$(wc -l <"$out/clang-tidy.txt")
files=$(( $(wc -w <<<"$win_sources $native_sources") ))
cat "$out/clang-tidy.txt"
echo "clang-tidy: $tidy_count findings in $files sources ($((SECONDS - start)) s)"

start=$SECONDS
cppcheck -q --std=c++20 --platform=win32A --library=windows --library=googletest -I . -D_WIN32 -DWIN32 \
    --enable=warning,style,performance,portability --inline-suppr \
    --suppressions-list=cppcheck-suppressions.txt -j2 \
    --template='{file}:{line}: {severity}: {message} [{id}]' \
    -i tests/ui/driver -i tests/fuzz \
    app base desk session player uninstall tests/native tests/win tests/ui tests/endurance \
    >"$out/cppcheck.txt" 2>&1
cppcheck_count=$(grep -cE '\[[A-Za-z0-9_]+\]$' "$out/cppcheck.txt")
cat "$out/cppcheck.txt"
echo "cppcheck: $cppcheck_count findings ($((SECONDS - start)) s)"

if [ "$tidy_count" -ne 0 ] || [ "$cppcheck_count" -ne 0 ]; then
    echo "lint: FAILED"
    exit 1
fi
echo "lint: clean"
