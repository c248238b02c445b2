#!/usr/bin/env bash
# Benchmarks: the site lookup against a plain read of the same file (natively and under Wine),
# start-up to a visible window against a bare dialog (under Wine), and "Fill Member ID" from the
# program through its host to a login page in Chromium (cold and warm), for each cross tree this
# machine runs. Every Wine line is labelled with its tree.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/win-arch.sh"
cd "$tavrik_top"
win_select_arches
# desk_bench is built optimised and without the sanitizers even in the native tree.
cmake --build build/native --target desk_bench -j2 >/dev/null
echo "== native"
build/native/bin/desk_bench

# Wine sees the Linux root as drive Z:.
windows() { echo "Z:$(realpath "$1" | tr / '\\')"; }
for arch in $WIN_ARCHES; do
    tree=$(win_tree "$arch")
    cmake --build "$tree" --target desk_bench startup_bench bare_dialog template_dialog rtln_program_files \
        post_command -j2 >/dev/null
    # The program folder as the install rules lay it out.
    folder=build/bench-startup$arch
    rm -rf "$folder"
    cmake --install "$tree" --component program --prefix "$folder" >/dev/null
    echo "== Wine, $arch-bit tree ($(basename "$tree"))"
    scripts/wine-session.sh run "$arch" bash -c "scripts/wine-run.sh $arch '$tree/bin/desk_bench.exe' &&
      scripts/wine-run.sh $arch '$tree/bin/startup_bench.exe' '$(windows "$folder")' '$(windows "$tree/bin/bare_dialog.exe")' \\
      '$(windows "$tree/bin/template_dialog.exe")' 25 &&
      node bench/fill_bench.mjs $arch '$tree'" |
      sed "s/^/[$(basename "$tree")] /"
done
