#!/usr/bin/env bash
# Configures (once) and builds every tree: build/native, build/win (32-bit, the release) and
# build/win64. Both cross trees build on any machine; which of them can run is the tests' concern.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/win-arch.sh"
cd "$tavrik_top"
jobs=$(nproc 2>/dev/null || echo 2)
[ -f build/native/CMakeCache.txt ] || cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build/native -j"$jobs"
for arch in 32 64; do
    tree=$(win_tree $arch)
    [ -f "$tree/CMakeCache.txt" ] || cmake -S . -B "$tree" -DCMAKE_TOOLCHAIN_FILE="$(win_toolchain $arch)" \
        -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$tree" -j"$jobs"
done
