#!/usr/bin/env bash
# Configures and builds every tree through its preset (CMakePresets.json): build/native,
# build/win (32-bit, the release) and build/win64. Both cross trees build on any machine; which
# of them can run is the tests' concern.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/win-arch.sh"
cd "$tavrik_top"
for preset in native "$(win_preset 32)" "$(win_preset 64)"; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j"$(nproc 2>/dev/null || echo 2)"
done
