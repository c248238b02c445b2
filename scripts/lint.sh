#!/usr/bin/env bash
# Static analysis: clang-tidy (.clang-tidy, through run-clang-tidy) over the Win32 sources of
# the 32-bit cross tree and the platform-free sources of the native tree, then cppcheck over the
# programs and their tests (suppressions with reasons in cppcheck-suppressions.txt), then ESLint
# over the browser extension and its tests. Prints a
# count per tool; fails on any finding. --changed limits clang-tidy to the files changed since
# the branch left main (and the sources that include a changed header); cppcheck runs whole.
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

# run-clang-tidy takes the sources of a compile database whose paths match a pattern.
sources="($source_dirs)/[^/]+\.cpp"
if [ $changed_only = yes ]; then
    base=$(git merge-base HEAD main 2>/dev/null || git rev-parse HEAD)
    changed=$( { git diff --name-only "$base"; git ls-files --others --exclude-standard; } | sort -u)
    headers=$(grep -E '\.h$' <<<"$changed" | xargs -r -n1 basename | paste -sd'|')
    # The sources that changed or include a changed header.
    sources=$( { echo "$changed"; [ -z "$headers" ] || git grep -lE "#include \".*($headers)\"" -- '*.cpp'; } |
               grep -xE "$sources" | sort -u | paste -sd'|')
    sources="(${sources:-none})"
fi

# The mingw C++ and Windows headers, as the cross compiler finds them; clang brings its own
# compiler headers (intrinsics), so GCC's own include and include-fixed folders are left out.
mingw_args=(-extra-arg=--target=i686-w64-mingw32)
while read -r dir; do
    mingw_args+=("-extra-arg=-isystem$dir")
done < <(echo | i686-w64-mingw32-g++-posix -x c++ -E -v - 2>&1 |
         sed -n '/#include <...>/,/End of search/p' | sed '1d;$d;s/^ //' | grep -vE '/include(-fixed)?$')

start=$SECONDS
run-clang-tidy -quiet -j2 -p "$win" "${mingw_args[@]}" "^$tavrik_top/$sources\$" >"$out/tidy-win.txt" 2>"$out/tidy-win.err"
run-clang-tidy -quiet -j2 -p build/native "^$tavrik_top/$sources\$" >"$out/tidy-native.txt" 2>"$out/tidy-native.err"
# run-clang-tidy has clang-tidy colour its output: without the colours, one line per source
# (the command) and one finding per place and check (a header's finding shows in every source
# that includes it).
sed 's/\x1b\[[0-9;]*m//g' "$out"/tidy-*.txt >"$out/tidy.txt"
grep -E '^/.*:[0-9]+:[0-9]+: (warning|error): .*\[[a-z0-9.,-]+\]$' "$out/tidy.txt" |
    sed "s|^$tavrik_top/||" | sed -E 's|^[a-z]+/\.\./||' | sort -u >"$out/clang-tidy.txt"
tidy_count=$(wc -l <"$out/clang-tidy.txt")
files=$(grep -c '^clang-tidy' "$out/tidy.txt")
cat "$out/clang-tidy.txt"
echo "clang-tidy: $tidy_count findings in $files sources ($((SECONDS - start)) s)"

start=$SECONDS
cppcheck -q --std=c++20 --platform=win32A --library=windows --library=googletest -I . -D_WIN32 -DWIN32 \
    --enable=warning,style,performance,portability --inline-suppr \
    --suppressions-list=cppcheck-suppressions.txt -j2 \
    --template='{file}:{line}: {severity}: {message} [{id}]' \
    -i tests/ui/driver -i tests/fuzz \
    app base desk session player uninstall tests/native tests/win tests/ui tests/endurance tests/browser \
    >"$out/cppcheck.txt" 2>&1
cppcheck_count=$(grep -cE '\[[A-Za-z0-9_]+\]$' "$out/cppcheck.txt")
cat "$out/cppcheck.txt"
echo "cppcheck: $cppcheck_count findings ($((SECONDS - start)) s)"

# ESLint (eslint.config.js) over the browser extension and the browser tests, one line per
# finding; a failure of ESLint itself counts as a finding.
start=$SECONDS
node_modules/.bin/eslint --max-warnings 0 --format json browser tests/browser bench eslint.config.js >"$out/eslint.json" 2>"$out/eslint.err"
eslint_status=$?
node -e 'for (const f of JSON.parse(require("fs").readFileSync(process.argv[1], "utf8")))
             for (const m of f.messages) console.log(`${f.filePath}:${m.line}:${m.column}: ${m.message} [${m.ruleId}]`)' \
    "$out/eslint.json" 2>>"$out/eslint.err" | sed "s|^$tavrik_top/||" >"$out/eslint.txt"
eslint_count=$(wc -l <"$out/eslint.txt")
[ "$eslint_status" -ne 0 ] && [ "$eslint_count" -eq 0 ] && { cat "$out/eslint.err"; eslint_count=1; }
cat "$out/eslint.txt"
echo "eslint: $eslint_count findings ($((SECONDS - start)) s)"

if [ "$tidy_count" -ne 0 ] || [ "$cppcheck_count" -ne 0 ] || [ "$eslint_count" -ne 0 ]; then
    echo "lint: FAILED"
    exit 1
fi
echo "lint: clean"
