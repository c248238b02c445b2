# Which Windows trees this machine can run, and how each architecture is run under Wine.
# Sourced by the other scripts: the one place that knows the two architectures.
#
# build/win (32-bit, the release) runs under wine32, build/win64 under wine64, each in its own
# private prefix. Some kernels run no 32-bit Linux programs; wine32 cannot start there.
# TAVRIK_WIN_ARCH=32, 64 or both forces a choice; unset or "auto" asks the machine.

tavrik_top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
: "${TAVRIK_WINE32_LOADER:=/usr/lib/wine/wine}"
: "${TAVRIK_WINE64_LOADER:=/usr/lib/wine/wine64}"

win_tree() { [ "$1" = 32 ] && echo "$tavrik_top/build/win" || echo "$tavrik_top/build/win64"; }
win_preset() { [ "$1" = 32 ] && echo win32 || echo win64; }  # CMakePresets.json
win_loader() { [ "$1" = 32 ] && echo "$TAVRIK_WINE32_LOADER" || echo "$TAVRIK_WINE64_LOADER"; }
win_server() { echo "/usr/lib/wine/wineserver$1"; }
# A private prefix per architecture, never ~/.wine. TAVRIK_WINEPREFIX_BASE moves them (make run
# keeps its own).
win_prefix() { echo "${TAVRIK_WINEPREFIX_BASE:-$tavrik_top/build/wineprefix}$1"; }

# Whether this machine starts the architecture's Wine loader at all.
win_can_run() {
    WINEPREFIX=$(win_prefix "$1") timeout 60 "$(win_loader "$1")" --version >/dev/null 2>&1
}

# Sets WIN_ARCHES ("32 64", "64" or "32") and WIN_ARCHES_NOTE (what to tell the user), probing
# the machine once; exports the choice so that the scripts this one starts do not probe again.
# Fails with a message on stderr when nothing that was asked for can run.
win_select_arches() {
    if [ -n "${TAVRIK_WIN_ARCHES:-}" ]; then
        WIN_ARCHES=$TAVRIK_WIN_ARCHES
        WIN_ARCHES_NOTE=${TAVRIK_WIN_ARCHES_NOTE:-}
        return 0
    fi
    local can32=no can64=no
    win_can_run 32 && can32=yes
    win_can_run 64 && can64=yes
    local forced=${TAVRIK_WIN_ARCH:-auto} wanted
    case "$forced" in
        auto) wanted="32 64" ;;
        32 | 64) wanted=$forced ;;
        both) wanted="32 64" ;;
        *) echo "TAVRIK_WIN_ARCH must be 32, 64, both or auto, not '$forced'" >&2; return 1 ;;
    esac
    WIN_ARCHES=
    local arch ok
    for arch in $wanted; do
        ok=$can64; [ "$arch" = 32 ] && ok=$can32
        if [ "$ok" = yes ]; then
            WIN_ARCHES="${WIN_ARCHES:+$WIN_ARCHES }$arch"
        elif [ "$forced" != auto ]; then
            echo "TAVRIK_WIN_ARCH=$forced, but this machine cannot run $arch-bit Windows programs:" \
                 "'$(win_loader "$arch") --version' fails" >&2
            return 1
        fi
    done
    if [ -z "$WIN_ARCHES" ]; then
        echo "this machine can run neither 32-bit nor 64-bit Windows programs: '$(win_loader 32) --version'" \
             "and '$(win_loader 64) --version' both fail ('make setup' installs wine32 and wine64)" >&2
        return 1
    fi
    case "$WIN_ARCHES:$forced" in
        "32 64:"*) WIN_ARCHES_NOTE="32-bit and 64-bit" ;;
        "64:auto") WIN_ARCHES_NOTE="64-bit only (this machine runs no 32-bit programs)" ;;
        "32:auto") WIN_ARCHES_NOTE="32-bit only (wine64 does not start on this machine)" ;;
        *) WIN_ARCHES_NOTE="$WIN_ARCHES-bit only (TAVRIK_WIN_ARCH=$forced)" ;;
    esac
    export TAVRIK_WIN_ARCHES=$WIN_ARCHES TAVRIK_WIN_ARCHES_NOTE=$WIN_ARCHES_NOTE
}
