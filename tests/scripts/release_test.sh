#!/usr/bin/env bash
# Usage: release_test.sh TREE
# make dist's release of TREE (scripts/release.sh) with throwaway certificates: each that cannot
# sign fails with one line and leaves no release; the signed one (which the installer's round trip
# installs from TREE/release-test) has signed programs and setup, and a winget manifest of its
# setup. Unsigned twice, a second apart: the same bytes, entries sorted and in place, sums right.
set -eu
tree=$1 work=$1/release-test
release="$(dirname "$0")/../../scripts/release.sh $tree"
rm -rf "$work" && mkdir -p "$work/ca" && touch "$work/ca/index" && echo 'throwaway pässwörd' >"$work/password"
printf '[ca]\ndefault_ca=c\n[c]\ndatabase=%s/index\nnew_certs_dir=%s\nrand_serial=yes\nunique_subject=no\ndefault_md=sha256\ndefault_days=30
policy=p\n[p]\ncommonName=supplied\n[sign]\nextendedKeyUsage=codeSigning\n[web]\nextendedKeyUsage=serverAuth\n' "$work/ca" "$work/ca" >"$work/ca.cnf"
# certificate NAME COMMON-NAME [openssl ca options]: NAME.pem, and NAME.pfx with its key.
certificate() {
    openssl req -new -newkey rsa:2048 -nodes -keyout "$work/$1.key" -subj "/CN=$2" -out "$work/$1.csr" 2>/dev/null
    openssl ca -batch -notext -config "$work/ca.cnf" -selfsign -keyfile "$work/$1.key" -in "$work/$1.csr" \
        -extensions sign "${@:3}" -out "$work/$1.pem" 2>/dev/null
    openssl pkcs12 -export -inkey "$work/$1.key" -in "$work/$1.pem" -out "$work/$1.pfx" -passout "file:$work/password"
}
certificate signer "Tavrik Software"
certificate expired "Tavrik Software" -startdate 20200101000000Z -enddate 20200201000000Z
certificate web "Tavrik Software" -extensions web
certificate other "Tavrik Softwares"
echo 'not it' >"$work/wrong"
while IFS='|' read -r pfx password expected; do
    output=$(TAVRIK_SIGN_PFX=$work/$pfx TAVRIK_SIGN_PASSWORD_FILE=$work/$password $release "$work/bad" 2>&1) &&
        { echo "$pfx, $password: signed"; exit 1; }
    [ "$(wc -l <<<"$output")" = 1 ] && grep -qF "$expected" <<<"$output" && ! ls -d "$work"/bad "$work"/.release.* 2>/dev/null ||
        { echo "$pfx, $password: wanted one line with \"$expected\" and no release, got: $output"; exit 1; }
done <<'ROWS'
none.pfx|password|no certificate file at
signer.pfx|wrong|does not open
signer.pfx|none|no password file at
expired.pfx|password|expired on Feb  1 00:00:00 2020 GMT
web.pfx|password|not for code signing
other.pfx|password|issued to "Tavrik Softwares", not to the publisher "Tavrik Software"
ROWS

TAVRIK_SIGN_PFX=$work/signer.pfx TAVRIK_SIGN_PASSWORD_FILE=$work/password $release "$work/out"
unzip -q "$work"/out/*[0-9].zip -d "$work/unzipped"
for program in "$work"/unzipped/Rateline/*.exe "$work"/out/*-setup.exe; do
    osslsigncode verify -CAfile "$work/signer.pem" -in "$program" >/dev/null || { echo "${program##*/}: unsigned"; exit 1; }
done
/usr/bin/python3 - "$work/out" <<'PYTHON'
import pathlib, sys, yaml
out = pathlib.Path(sys.argv[1])
kinds = {m["ManifestType"]: m for m in (yaml.safe_load(p.read_text(encoding="utf-8")) for p in (out / "winget").iterdir())}
assert sorted(kinds) == ["defaultLocale", "installer", "version"], kinds
assert len({(m["PackageIdentifier"], m["PackageVersion"], m["ManifestVersion"]) for m in kinds.values()}) == 1
sums = {name: digest.upper() for digest, name in map(str.split, (out / "SHA256SUMS").read_text().splitlines())}
(setup,) = kinds["installer"]["Installers"]
assert setup["InstallerSha256"] == sums[setup["InstallerUrl"].rsplit("/", 1)[1]], setup
assert all(kinds["defaultLocale"].get(key) for key in ("Publisher", "PackageName", "License", "ShortDescription"))
PYTHON

pack() {
    $release "$1" | grep -qx 'make dist: no certificate (TAVRIK_SIGN_PFX is not set), so the programs and the setup are unsigned'
}
pack "$work/a"
sleep 1.1
pack "$work/b"
for zip in "$work"/a/*.zip; do
    cmp "$zip" "$work/b/${zip##*/}"
    names=$(zipinfo -1 "$zip")
    [ "$names" = "$(LC_ALL=C sort <<<"$names")" ] || { echo "${zip##*/}: entries out of order:"; echo "$names"; exit 1; }
    case $zip in
        *-chrome.zip | *-firefox.zip) grep -qx manifest.json <<<"$names" && ! grep -q / <<<"$names" ;;
        *) ! grep -qvx 'Rateline/.*' <<<"$names" ;;
    esac || { echo "${zip##*/}: entries out of place:"; echo "$names"; exit 1; }
    echo "${zip##*/}: $(wc -l <<<"$names") entries, the same bytes twice"
done
(cd "$work/a" && sha256sum -c --quiet SHA256SUMS)
rm -rf "$work"/a "$work"/b "$work"/unzipped
