#!/usr/bin/env bash
# Runs the in-process layout suite at 120, 144 and 192 DPI. Wine takes the DPI from
# LogPixels in the prefix's registry, read when its wineserver starts, so the runs get a
# prefix of their own, made from the test prefix and removed afterwards: the files are
# hard links (nothing in them is written), the registry files real copies (Wine rewrites
# them). Its virtual desktop is large enough for the main window at 200 %.
# Arguments: the Wine loader and the in-process test program.
set -euo pipefail
wine="$1"
exe="$2"
server="$(dirname "$wine")/wineserver"
base="${WINEPREFIX:?the test prefix}"
prefix="$(mktemp -d /tmp/kelvaro-dpi.XXXXXX)"
cleanup() {
    WINEPREFIX="$prefix" "$server" -k >/dev/null 2>&1 || true
    rm -rf "$prefix"
}
trap cleanup EXIT
cp -al "$base/." "$prefix/"
for registry in "$prefix"/*.reg; do
    cp --remove-destination "$base/$(basename "$registry")" "$registry"
done
export WINEPREFIX="$prefix"
"$wine" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Kelvaro /d 2560x2048 /f >/dev/null
for dpi in 120 144 192; do
    "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
        >/dev/null
    "$server" -k >/dev/null 2>&1 || true
    "$server" -w
    echo "== LogPixels $dpi"
    KELVARO_EXPECT_DPI="$dpi" "$wine" "$exe" --dpi-layout
done
