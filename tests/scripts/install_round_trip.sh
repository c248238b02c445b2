#!/usr/bin/env bash
# Usage: install_round_trip.sh 32|64 TREE
# Runs TREE's installer tests in a fresh private prefix of their own, so that the installer
# meets a machine where the program never was. Runs in the tree's session (wine-session.sh).
set -u
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/win-arch.sh"
arch=$1 tree=$2
export TAVRIK_WINEPREFIX_BASE="$tree/install-prefix"
prefix=$(win_prefix "$arch")
WINEPREFIX=$prefix "$(win_server "$arch")" -k >/dev/null 2>&1
rm -rf "$prefix"
# The uninstaller sends the member's data to the Recycle Bin: Wine keeps it in the Linux user's
# trash folder, which here is the test's own, fresh for each run.
export XDG_DATA_HOME="$tree/install-trash"
rm -rf "$XDG_DATA_HOME" && mkdir -p "$XDG_DATA_HOME"
reg_add() { "$tavrik_top/scripts/wine-run.sh" "$arch" reg add "$@" /f >/dev/null 2>&1; }
reg_add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N
# The member runs Windows 10 version 1903 (Wine reports win7 unless told), and their profile
# folder's name holds letters that the ANSI code page (1252) lacks; their per-user folders,
# and so the installer's default folder and the shortcuts, lie in it.
reg_add 'HKCU\Software\Wine' /v Version /d win10
member='Пётр 李明'
profile="C:\users\\$member"
folders='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders'
reg_add "$folders" /v 'Local AppData' /d "$profile\AppData\Local"
reg_add "$folders" /v Desktop /d "$profile\Desktop"
reg_add "$folders" /v Programs /d "$profile\Start Menu\Programs"
reg_add 'HKCU\Environment' /v TEMP /d "$profile\AppData\Local\Temp"
reg_add 'HKCU\Environment' /v TMP /d "$profile\AppData\Local\Temp"
mkdir -p "$prefix/drive_c/users/$member/AppData/Local/Temp"  # Wine makes no temporary folder
start=$(date +%s%N)
"$tavrik_top/scripts/wine-run.sh" "$arch" "$tree/bin/install_tests.exe"
status=$?
# The signed release's setup (of ctest release), installed as winget installs it: its manifest's
# silent switches, a folder outside the code page (no blank: Wine would quote it, and NSIS not
# read it). The folder then holds the signed program, and ProductCode names the entry.
signed=$tree/release-test folder='C:\Ратлайн'
mapfile -t manifest < <(/usr/bin/python3 -c 'import sys, yaml; m = yaml.safe_load(open(sys.argv[1]))
print(m["InstallerSwitches"]["Silent"], m["InstallerSwitches"]["InstallLocation"], sep="\n")
print(m["ProductCode"])' "$signed"/out/winget/*.installer.yaml)
# The silent switches are words of their own: unquoted.
timeout 120 "$tavrik_top/scripts/wine-run.sh" "$arch" "$signed"/out/*-setup.exe ${manifest[0]} "${manifest[1]/<INSTALLPATH>/$folder}" &&
    "$tavrik_top/scripts/wine-run.sh" "$arch" reg query "HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\\${manifest[2]}" >/dev/null 2>&1 &&
    osslsigncode verify -CAfile "$signed/signer.pem" -in "$prefix/drive_c/Ратлайн/rtln.exe" >/dev/null ||
    { echo "the signed setup, run with its winget switches, did not install the signed rtln.exe as ${manifest[2]}"; status=1; }
echo "install round trip: $((($(date +%s%N) - start) / 1000000)) ms (the prefix was made before)"
WINEPREFIX=$prefix "$(win_server "$arch")" -k >/dev/null 2>&1
exit $status
