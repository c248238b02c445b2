#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need. Idempotent: installs only what is missing.
set -euo pipefail
# Both cross trees: 32-bit (the release, wine32) and 64-bit (wine64, for machines whose kernel
# runs no 32-bit programs; wine32 still installs there, it just cannot start).
packages=(cmake make g++ googletest libgtest-dev g++-mingw-w64-i686 mingw-w64-i686-dev
          g++-mingw-w64-x86-64 mingw-w64-x86-64-dev wine wine32:i386 wine64 xvfb x11-utils imagemagick
          fonts-wine  # Wine's own fonts: MS Sans Serif, Tahoma, Marlett (scripts/wine-run.sh)
          fonts-dejavu-core fonts-liberation  # the scale test's two dialog fonts of other metrics
          tzdata   # zones for the Windows tests of local dates
          nsis fp-utils-3.2.2 zip python3)  # the installer, the help file (chmcmd, chmls), the release
packages+=(osslsigncode python3-yaml)  # the release's signatures (make dist) and its winget manifest's test
[ "${1:-}" = "--art" ] && packages+=(fontforge python3-fontforge python3-pil sox)
packages+=(clang-14 libclang-rt-14-dev)  # the fuzz targets (libFuzzer)
packages+=(clang-tidy cppcheck clang-format)  # make lint and make format
# The browser extension's tests, lint and packages: the browsers, certutil for their test CA,
# node and npm for puppeteer-core, ESLint and web-ext (package.json). A node of another origin
# (with its own npm) is kept.
packages+=(chromium firefox-esr libnss3-tools openssl unzip)
command -v node >/dev/null || packages+=(nodejs)
command -v npm >/dev/null || packages+=(npm)

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  touch /tmp/.tavrik-need-update
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -ne 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "setup: missing packages: ${missing[*]}; run 'make setup' as root" >&2
    exit 1
  fi
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
  rm -f /tmp/.tavrik-need-update
fi

# The node packages at the exact versions of package-lock.json, again only when it changed.
# puppeteer-core drives the system's browsers and downloads none.
cd "$(dirname "${BASH_SOURCE[0]}")/.."
if ! cmp -s package-lock.json node_modules/.tavrik-package-lock.json; then
  echo "setup: npm ci"
  PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error
  cp package-lock.json node_modules/.tavrik-package-lock.json
fi
