#!/usr/bin/env bash
# The run command: installs what is missing, builds the programs, prepares the demo working
# folder demo/ (sample definitions and settings) and starts Kelvaro(x64).exe under Wine on
# the user's display. Without a display it uses a virtual one, saves pictures of the main
# window on both pages into demo/screenshots/, says where, and ends.
#   scripts/run.sh [--scale PERCENT]   the screen at 125, 150 or 200 % (LogPixels 120, 144
#                                      or 192), in a Wine prefix of its own for that scale
set -euo pipefail
cd "$(dirname "$0")/.."
export KELVARO_ROOT="$PWD"

scale=100
if [ "${1:-}" = --scale ]; then
    scale="${2:?--scale takes a percentage: 125, 150 or 200}"
    case "$scale" in
        100 | 125 | 150 | 200) ;;
        *) echo "--scale takes 100, 125, 150 or 200" >&2; exit 2 ;;
    esac
fi
# The desktop grows with the scale, so that the main window fits as it does at 100 %.
desktop_size=$((1280 * scale / 100))x$((1024 * scale / 100))
shot_suffix=""
if [ "$scale" != 100 ]; then
    shot_suffix="-$scale"
    # A prefix of its own: Wine takes the DPI of every program of a prefix from its
    # registry, and the usual prefix stays at 100 %.
    export WINEPREFIX="$PWD/build/wineprefix-$scale"
    export KELVARO_XVFB_SCREEN="${desktop_size}x24"
fi

scripts/install-deps.sh
echo "== Building"
cmake --preset windows >/dev/null
cmake --build --preset windows --target kelvaro_main kelvaro_updater kelvaro_demo_helper >/dev/null

mkdir -p demo
cp res/demo/Kelvaro res/demo/Kelvaro.ini demo/

source scripts/wine-env.sh
program="$PWD/build/windows/bin/Kelvaro(x64).exe"

# A private nginx serves a demo update folder at the build's update base URL, so that "Auf
# Updates prüfen" finds 6 new definitions. The publisher's tool makes the folder from the
# served definitions of res/demo/update and this build's program, signed with the test key
# that the build trusts. Everything is written under build/demo-update-server; the server
# ends with the demo on the user's display.
update_server_pid=""
start_update_server() {
    local url host port work
    url="$(sed -n 's/^KELVARO_UPDATE_BASE_URL:[A-Z]*=//p' build/windows/CMakeCache.txt)"
    if [[ ! "$url" =~ ^http://(127\.[0-9.]+)(:([0-9]+))?/Kelvaro/$ ]]; then
        echo "== The update base URL $url is not on this machine: no update server for the demo"
        return 0
    fi
    host="${BASH_REMATCH[1]}"
    port="${BASH_REMATCH[3]:-80}"
    if (exec 3<>"/dev/tcp/$host/$port") 2>/dev/null; then
        echo "== Port $port is taken: no update server for the demo"
        return 0
    fi
    work="$PWD/build/demo-update-server"
    mkdir -p "$work/tmp"
    rm -rf "$work/www"
    if ! python3 tools/publish_update.py publish --key tests/keys/update-test-only.pem \
        --version 1.5 --program "$program" --definitions res/demo/update/Kelvaro/Kelvaro \
        --out "$work/www/Kelvaro" >/dev/null; then
        echo "== The demo update folder could not be published: no update server for the demo"
        return 0
    fi
    cat >"$work/nginx.conf" <<CONF
daemon off;
master_process off;
worker_processes 1;
pid $work/nginx.pid;
error_log $work/error.log warn;
events { worker_connections 64; }
http {
    access_log off;
    client_body_temp_path $work/tmp/body;
    proxy_temp_path $work/tmp/proxy;
    fastcgi_temp_path $work/tmp/fastcgi;
    uwsgi_temp_path $work/tmp/uwsgi;
    scgi_temp_path $work/tmp/scgi;
    default_type application/octet-stream;
    server { listen $host:$port; root $work/www; }
}
CONF
    "$(command -v nginx || echo /usr/sbin/nginx)" -p "$work/" -c "$work/nginx.conf" \
        -e "$work/error.log" </dev/null >/dev/null 2>&1 &
    update_server_pid=$!
    echo "== Serving the published demo folder build/demo-update-server/www at $url"
}
# A desktop of its own with a task bar, so that the notification area (where the program
# waits when minimised) can be seen.
desktop=KelvaroDemo
enable_task_bar() {
    "$WINE" reg add "HKCU\\Software\\Wine\\Explorer\\Desktops\\$desktop" /v EnableShell \
        /t REG_DWORD /d 1 /f >/dev/null 2>&1
}

set_scale() {
    [ "$scale" = 100 ] && return 0
    "$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
        /d $((96 * scale / 100)) /f >/dev/null 2>&1
    "$WINESERVER" -k >/dev/null 2>&1 || true
}

if [ -n "${DISPLAY:-}" ]; then
    kelvaro_wine_setup
    set_scale
    enable_task_bar
    start_update_server
    if [ -n "$update_server_pid" ]; then
        # exec keeps this shell's process id: the server ends when the Wine desktop does.
        (while kill -0 $$ 2>/dev/null; do sleep 1; done; kill "$update_server_pid" 2>/dev/null) &
    fi
    echo "== Starting Kelvaro(x64).exe in $PWD/demo"
    cd demo
    exec "$WINE" explorer "/desktop=$desktop,$desktop_size" "$program"
fi

trap kelvaro_wine_cleanup EXIT
kelvaro_wine_setup virtual
set_scale
enable_task_bar
shots="$PWD/demo/screenshots"
mkdir -p "$shots"
rm -f "$shots"/*.bmp "$shots"/kelvaro-prozesse$shot_suffix.png "$shots"/kelvaro-fenster$shot_suffix.png
echo "== No display: starting Kelvaro(x64).exe on the virtual display $DISPLAY at $scale %"
"$WINE" explorer "/desktop=$desktop,$desktop_size" "$PWD/build/windows/bin/kelvaro_demo_helper.exe" \
    "$program" "$PWD/demo" "$shots" >/dev/null 2>&1 &
for _ in $(seq 120); do
    [ -f "$shots/kelvaro-fenster.bmp" ] && break
    sleep 0.5
done
sleep 1
for page in prozesse fenster; do
    if [ -f "$shots/kelvaro-$page.bmp" ]; then
        convert "$shots/kelvaro-$page.bmp" "$shots/kelvaro-$page$shot_suffix.png" &&
            rm "$shots/kelvaro-$page.bmp"
    fi
done
if [ ! -f "$shots/kelvaro-prozesse$shot_suffix.png" ] ||
    [ ! -f "$shots/kelvaro-fenster$shot_suffix.png" ]; then
    echo "The main window did not come up; no pictures were saved." >&2
    exit 1
fi
echo "Pictures of the main window:"
echo "  $shots/kelvaro-prozesse$shot_suffix.png"
echo "  $shots/kelvaro-fenster$shot_suffix.png"
