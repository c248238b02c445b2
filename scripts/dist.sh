#!/usr/bin/env bash
# Writes the release of the 32-bit tree under dist/ (scripts/release.sh): signed when
# TAVRIK_SIGN_PFX and TAVRIK_SIGN_PASSWORD_FILE name a certificate and its password's file.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/win-arch.sh"
cd "$tavrik_top"
scripts/build.sh
scripts/release.sh "$(win_tree 32)" dist
echo "make dist: the release in dist/"
ls -l dist dist/winget
