#!/usr/bin/env bash
# The run command: installs what is missing, builds the programs, prepares the demo working
# folder demo/ (sample definitions and settings) and starts Kelvaro(x64).exe under Wine on
# the user's display. Without a display it uses a virtual one, saves pictures of the main
# window on both pages into demo/screenshots/, says where, and ends.
set -euo pipefail
cd "$(dirname "$0")/.."
export KELVARO_ROOT="$PWD"

scripts/install-deps.sh
echo "== Building"
cmake --preset windows >/dev/null
cmake --build --preset windows --target kelvaro_main kelvaro_demo_helper >/dev/null

mkdir -p demo
cp res/demo/Kelvaro res/demo/Kelvaro.ini demo/

source scripts/wine-env.sh
program="$PWD/build/windows/bin/Kelvaro(x64).exe"
# A desktop of its own with a task bar, so that the notification area (where the program
# waits when minimised) can be seen.
desktop=KelvaroDemo
enable_task_bar() {
    "$WINE" reg add "HKCU\\Software\\Wine\\Explorer\\Desktops\\$desktop" /v EnableShell \
        /t REG_DWORD /d 1 /f >/dev/null 2>&1
}

if [ -n "${DISPLAY:-}" ]; then
    kelvaro_wine_setup
    enable_task_bar
    echo "== Starting Kelvaro(x64).exe in $PWD/demo"
    cd demo
    exec "$WINE" explorer "/desktop=$desktop,1280x1024" "$program"
fi

trap kelvaro_wine_cleanup EXIT
kelvaro_wine_setup virtual
enable_task_bar
shots="$PWD/demo/screenshots"
mkdir -p "$shots"
rm -f "$shots"/*.bmp "$shots"/*.png
echo "== No display: starting Kelvaro(x64).exe on the virtual display $DISPLAY"
"$WINE" explorer "/desktop=$desktop,1280x1024" "$PWD/build/windows/bin/kelvaro_demo_helper.exe" \
    "$program" "$PWD/demo" "$shots" >/dev/null 2>&1 &
for _ in $(seq 120); do
    [ -f "$shots/kelvaro-fenster.bmp" ] && break
    sleep 0.5
done
sleep 1
for page in prozesse fenster; do
    if [ -f "$shots/kelvaro-$page.bmp" ]; then
        convert "$shots/kelvaro-$page.bmp" "$shots/kelvaro-$page.png" && rm "$shots/kelvaro-$page.bmp"
    fi
done
if [ ! -f "$shots/kelvaro-prozesse.png" ] || [ ! -f "$shots/kelvaro-fenster.png" ]; then
    echo "The main window did not come up; no pictures were saved." >&2
    exit 1
fi
echo "Pictures of the main window:"
echo "  $shots/kelvaro-prozesse.png"
echo "  $shots/kelvaro-fenster.png"
