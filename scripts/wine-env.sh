# Sourced by the scripts that run Windows programs: one Wine prefix for the project, a
# virtual X display when none is given, and cleanup of both on exit.
# Sets WINEPREFIX, WINEDEBUG, WINE, DISPLAY.

KELVARO_ROOT="${KELVARO_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
export WINE=/usr/lib/wine/wine64
export WINESERVER=/usr/lib/wine/wineserver
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEPREFIX="${WINEPREFIX:-$KELVARO_ROOT/build/wineprefix}"

kelvaro_started_xvfb=""

# Starts Xvfb (1280x1024, or the screen KELVARO_XVFB_SCREEN gives) on the first free display
# number from 90 up; a number that another run took in the meantime makes Xvfb exit, and the
# next number is tried.
kelvaro_start_xvfb() {
    local n=90
    while [ $n -lt 190 ]; do
        if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
            Xvfb ":$n" -screen 0 "${KELVARO_XVFB_SCREEN:-1280x1024x24}" -nolisten tcp \
                >/dev/null 2>&1 &
            kelvaro_started_xvfb=$!
            for _ in $(seq 50); do
                if ! kill -0 "$kelvaro_started_xvfb" 2>/dev/null; then break; fi
                if [ -e "/tmp/.X11-unix/X$n" ]; then
                    export DISPLAY=":$n"
                    return 0
                fi
                sleep 0.1
            done
            kill "$kelvaro_started_xvfb" 2>/dev/null
            kelvaro_started_xvfb=""
        fi
        n=$((n + 1))
    done
    echo "Xvfb could not be started" >&2
    return 1
}

# Creates the prefix on first use. Every program of the prefix runs inside one virtual
# desktop, so test drivers and the programs they drive see each other's windows and the
# notification area exists.
kelvaro_prepare_prefix() {
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "== Creating the Wine prefix $WINEPREFIX"
        mkdir -p "$WINEPREFIX"
        "$WINE" wineboot -i >/dev/null 2>&1 || true
    fi
    # Debian's Wine does not look into its own font folder, so the title bar buttons
    # (Marlett) and the dialog font (Tahoma) would be missing; the prefix's Fonts folder is
    # searched.
    local fonts="$WINEPREFIX/drive_c/windows/Fonts"
    if [ -d /usr/share/wine/fonts ] && [ ! -f "$fonts/marlett.ttf" ]; then
        mkdir -p "$fonts"
        cp /usr/share/wine/fonts/*.ttf "$fonts/" 2>/dev/null || true
    fi
    "$WINE" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Kelvaro /f >/dev/null 2>&1
    "$WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Kelvaro /d 1280x1024 /f \
        >/dev/null 2>&1
    "$WINESERVER" -w
}

kelvaro_wine_cleanup() {
    "$WINESERVER" -k >/dev/null 2>&1 || true
    if [ -n "$kelvaro_started_xvfb" ]; then
        kill "$kelvaro_started_xvfb" >/dev/null 2>&1 || true
        kelvaro_started_xvfb=""
    fi
}

# kelvaro_wine_setup [virtual]: with "virtual", always use a virtual display of our own
# (the tests), otherwise the user's display when there is one (the demo).
kelvaro_wine_setup() {
    if [ "${1:-}" = virtual ] || [ -z "${DISPLAY:-}" ]; then kelvaro_start_xvfb; fi
    kelvaro_prepare_prefix
}
