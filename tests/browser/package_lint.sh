#!/usr/bin/env bash
# Usage: package_lint.sh TREE
# Lints the Firefox package of TREE's extension as Firefox's add-ons site does (web-ext lint):
# fails on an error and prints every warning.
set -eu
tree=$1 top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd) work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake -DOUT_DIR="$work" -P "$tree/browser/store_packages.cmake"
mkdir "$work/firefox"
unzip -q "$work"/*-firefox.zip -d "$work/firefox"
"$top/node_modules/.bin/web-ext" lint --no-config-discovery --no-input --source-dir "$work/firefox"
