#!/usr/bin/env bash
# Idle cost of Kelvaro(x64).exe under Wine: the CPU time its process uses over SECONDS
# (default 10) with no input, from the kernel's exact accounting (/proc/<pid>/task/*/
# schedstat), with the prefix's wineserver beside it. For comparison, in the same run: a
# Win32 program that does nothing but the same 2 ms wait (bench_idle_loop.exe), and a
# native program that sleeps 2 ms in a loop (the cost of waking 500 times a second on this
# machine at all). Needs the Windows build (cmake --build --preset windows).
set -euo pipefail
cd "$(dirname "$0")/.."
export KELVARO_ROOT="$PWD"
seconds="${SECONDS_IDLE:-10}"
bin="$PWD/build/windows/bin"
source scripts/wine-env.sh
trap kelvaro_wine_cleanup EXIT
kelvaro_wine_setup virtual >/dev/null

cpu_ns() {  # CPU time of all threads of a process, in nanoseconds
    local total=0 t
    for t in /proc/"$1"/task/*/schedstat; do total=$((total + $(cut -d' ' -f1 "$t"))); done
    echo "$total"
}
prefix_server() {
    local p
    for p in $(pgrep wineserver); do
        if { tr '\0' '\n' <"/proc/$p/environ"; } 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX"; then
            echo "$p"
            return
        fi
    done
}
measure() {  # name pid [server pid]
    local name="$1" pid="$2" server="${3:-}" a b sa=0 sb=0
    sleep 3
    a=$(cpu_ns "$pid")
    [ -n "$server" ] && sa=$(cpu_ns "$server")
    sleep "$seconds"
    b=$(cpu_ns "$pid")
    [ -n "$server" ] && sb=$(cpu_ns "$server")
    awk -v name="$name" -v p="$((b - a))" -v s="$((sb - sa))" -v secs="$seconds" \
        -v has_server="${server:+1}" 'BEGIN {
            printf "%-34s process %7.1f ms = %5.2f%% of a core", name, p / 1e6, p / (secs * 1e7)
            if (has_server) printf ";  wineserver %7.1f ms = %5.2f%%", s / 1e6, s / (secs * 1e7)
        }'
    echo
}

folder="$(mktemp -d)"
cp res/demo/Kelvaro res/demo/Kelvaro.ini "$folder/"
(cd "$folder" && exec "$WINE" "$bin/Kelvaro(x64).exe") &
kelvaro=$!
sleep 1
server="$(prefix_server)"
measure "Kelvaro(x64).exe, idle" "$kelvaro" "$server"
kill "$kelvaro"
wait "$kelvaro" 2>/dev/null || true

"$WINE" "$bin/bench_idle_loop.exe" &
loop=$!
measure "bench_idle_loop.exe (2 ms wait)" "$loop" "$server"
kill "$loop"
wait "$loop" 2>/dev/null || true

native="$(mktemp -d)"
printf '#include <time.h>\nint main(void){struct timespec t={0,2000000};for(;;)nanosleep(&t,0);}\n' \
    >"$native/wake.c"
cc -O2 -o "$native/wake" "$native/wake.c"
"$native/wake" &
wake=$!
measure "native nanosleep 2 ms loop" "$wake"
kill "$wake"
wait "$wake" 2>/dev/null || true
rm -rf "$folder" "$native"
