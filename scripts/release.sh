#!/usr/bin/env bash
# Usage: release.sh TREE OUT
# Writes the release of TREE's programs into the folder OUT, made anew: the installer
# (<stem>-setup.exe), the program folder as a zip under Rateline/ (<stem>.zip), the browser
# extension's packages for the Chrome and Edge stores and for Firefox's add-ons site
# (<stem>-chrome.zip, <stem>-firefox.zip), the setup's winget manifest (winget/) and, last,
# SHA256SUMS of the four files. make dist runs it on the 32-bit tree.
#
# Given a certificate, it signs (Authenticode, SHA-256) every program of the program folder,
# before the installer packs them and the zip takes them, and then the installer itself:
#   TAVRIK_SIGN_PFX            the certificate with its private key, a PKCS#12 file
#   TAVRIK_SIGN_PASSWORD_FILE  the file that holds its password (so it is on no command line)
#   TAVRIK_SIGN_TIMESTAMP_URL  an RFC 3161 time-stamp server (optional)
# A certificate that cannot sign the release fails with one line naming the problem, before
# anything is made. Whatever fails, OUT is left absent, never half made.
set -euo pipefail
tree=$(cd "$1" && pwd) out=$(realpath -m "$2")
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$tree/generated/release_facts.sh"
fail() { echo "make dist: $*" >&2; exit 1; }

rm -rf "$out"
mkdir -p "$(dirname "$out")"
work=$(mktemp -d "$(dirname "$out")/.release.XXXXXX")
trap 'rm -rf "$work"' EXIT

# Reads the signer's certificate out of the PKCS#12 file and checks that it can sign the
# release for its publisher today.
check_certificate() {
    local pfx=$TAVRIK_SIGN_PFX password=${TAVRIK_SIGN_PASSWORD_FILE:-}
    [ -f "$pfx" ] || fail "no certificate file at TAVRIK_SIGN_PFX=$pfx"
    [ -n "$password" ] || fail "TAVRIK_SIGN_PASSWORD_FILE is not set: it names the file that holds the certificate's password"
    [ -f "$password" ] || fail "no password file at TAVRIK_SIGN_PASSWORD_FILE=$password"
    local pem=$work/signer.pem
    # Older files, as Windows exports them, are encrypted with ciphers of OpenSSL's legacy provider.
    { openssl pkcs12 -in "$pfx" -passin "file:$password" -nokeys -clcerts -out "$pem" ||
        openssl pkcs12 -legacy -in "$pfx" -passin "file:$password" -nokeys -clcerts -out "$pem"; } 2>/dev/null ||
        fail "the password in $password does not open $pfx (a wrong password, or no PKCS#12 file)"
    grep -q 'BEGIN CERTIFICATE' "$pem" || fail "$pfx holds no certificate for its key"
    x509() { openssl x509 -in "$pem" -noout "$@"; }
    local from until publisher
    from=$(x509 -startdate) until=$(x509 -enddate)
    from=${from#notBefore=} until=${until#notAfter=}
    x509 -checkend 0 >/dev/null || fail "the certificate in $pfx expired on $until"
    [ "$(date -d "$from" +%s)" -le "$(date +%s)" ] || fail "the certificate in $pfx is valid only from $from"
    x509 -ext extendedKeyUsage 2>/dev/null | grep -q 'Code Signing' ||
        fail "the certificate in $pfx is not for code signing (its extended key usage lacks Code Signing)"
    publisher=$(x509 -subject -nameopt multiline,utf8,-esc_msb | sed -n 's/^ *commonName *= //p')
    [ "$publisher" = "$RTLN_PUBLISHER" ] ||
        fail "the certificate in $pfx is issued to \"$publisher\", not to the publisher \"$RTLN_PUBLISHER\""
    signer_until=$until
}

# Signs a program in place, its signature over SHA-256, with the product's name and web site.
sign() {
    local stamp=()
    [ -z "${TAVRIK_SIGN_TIMESTAMP_URL:-}" ] || stamp=(-ts "$TAVRIK_SIGN_TIMESTAMP_URL")
    osslsigncode sign -pkcs12 "$TAVRIK_SIGN_PFX" -readpass "$TAVRIK_SIGN_PASSWORD_FILE" -h sha256 \
        -comm -n "$RTLN_PRODUCT_NAME" -i "$RTLN_MAKER_WEB_SITE" "${stamp[@]}" -in "$1" -out "$work/signed" \
        >"$work/sign.log" 2>&1 || fail "signing ${1##*/} failed: $(grep -m1 . "$work/sign.log")"
    mv "$work/signed" "$1"
}

signing=no
if [ -n "${TAVRIK_SIGN_PFX:-}" ]; then
    check_certificate
    signing=yes
else
    echo "make dist: no certificate (TAVRIK_SIGN_PFX is not set), so the programs and the setup are unsigned"
fi

stage=$work/stage
cmake --install "$tree" --component program --prefix "$stage/Rateline" >/dev/null
setup=$work/$RTLN_PACKAGE_STEM-setup.exe
if [ $signing = yes ]; then
    mapfile -t programs < <(cd "$stage/Rateline" && find . -type f \( -iname '*.exe' -o -iname '*.dll' \) | sort)
    for program in "${programs[@]}"; do sign "$stage/Rateline/$program"; done
fi
cmake -DPROGRAM_DIR="$stage/Rateline" -DOUTFILE="$setup" -P "$tree/installer/make_setup.cmake"
if [ $signing = yes ]; then
    sign "$setup"
    printf -v names '%s, ' "${programs[@]#./}"
    echo "make dist: signed ${names}and the setup as \"$RTLN_PUBLISHER\" (the certificate is valid until $signer_until)"
    [ -n "${TAVRIK_SIGN_TIMESTAMP_URL:-}" ] ||
        echo "make dist: no time-stamp server (TAVRIK_SIGN_TIMESTAMP_URL is not set), so the signatures are valid only while the certificate is"
fi
cmake -DFOLDER="$stage" -DZIP="$work/$RTLN_PACKAGE_STEM.zip" -P "$top/cmake/reproducible_zip.cmake"
cmake -DOUT_DIR="$work" -P "$tree/browser/store_packages.cmake"
cmake -DSETUP="$setup" -DOUT_DIR="$work/winget" -P "$tree/installer/winget_manifest.cmake"
rm -rf "$stage" "$work"/signer.pem "$work"/sign.log
(cd "$work" && sha256sum "${setup##*/}" "$RTLN_PACKAGE_STEM".zip "$RTLN_PACKAGE_STEM"-chrome.zip \
    "$RTLN_PACKAGE_STEM"-firefox.zip) >"$work/SHA256SUMS"
chmod 755 "$work"
mv "$work" "$out"
