#!/usr/bin/env bash
# Downloads a 64 MiB file from a local nginx with our client, with our client held to the
# file's size and SHA-256 (as update downloads are), and with curl, turn about, and prints
# the median throughput of each; with the Windows build present, also our client under
# Wine. Starts its own nginx on a free port with every path under
# build/http-bench and stops it again. ROUNDS sets the number of turns (default 7); RATE
# limits the server to that many bytes per second (nginx's limit_rate, as 12500k for a
# 100 Mbit/s line; default 0, no limit).
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
work="$root/build/http-bench"
rounds="${ROUNDS:-7}"
rate="${RATE:-0}"
size=$((64 * 1024 * 1024))

cmake --preset bench >/dev/null
cmake --build --preset bench --target http_download_bench >/dev/null
native="$root/build/bench/bin/http_download_bench"
wine_bench="$root/build/windows/bin/http_download_bench.exe"

mkdir -p "$work/www" "$work/tmp"
if [ "$(stat -c %s "$work/www/file64" 2>/dev/null || echo 0)" != "$size" ]; then
    head -c "$size" /dev/urandom >"$work/www/file64"
fi
port="$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')"
sed -e "s|@WORK@|$work|g" -e "s|@PORT@|$port|g" -e "s|@RATE@|$rate|g" bench/nginx.conf.in \
    >"$work/nginx.conf"

nginx -p "$work" -c "$work/nginx.conf" -e "$work/error.log" &
nginx_pid=$!
wine_started=""
cleanup() {
    kill "$nginx_pid" 2>/dev/null || true
    wait "$nginx_pid" 2>/dev/null || true
    if [ -n "$wine_started" ]; then kelvaro_wine_cleanup; fi
}
trap cleanup EXIT

url="http://127.0.0.1:$port/file64"
for _ in $(seq 50); do
    curl -s -o /dev/null --max-time 1 "$url" -r 0-0 && break
    sleep 0.1
done

if [ -x "$wine_bench" ]; then
    source scripts/wine-env.sh
    kelvaro_wine_setup virtual >/dev/null
    wine_started=1
fi

: >"$work/ours.txt"
: >"$work/checked.txt"
: >"$work/curl.txt"
: >"$work/ours-wall.txt"
: >"$work/curl-wall.txt"
: >"$work/wine.txt"
# Each tool's own clock (our DownloadToFile call; curl's time_total), and the wall time of
# the whole command. Both write a new file each time: replacing an existing 64 MiB file
# costs its freeing, and on ext4 a replacement also forces the new blocks to be allocated
# at once, which our client would pay inside its clock (moving the finished temporary file
# over the old one) and curl after its clock stops (closing the truncated file).
wall() {
    local start end
    start=$(date +%s.%N)
    "$@" >>"$work/last.txt"
    end=$(date +%s.%N)
    awk -v a="$start" -v b="$end" 'BEGIN {printf "%.4f\n", b - a}'
}
for round in $(seq "$rounds"); do
    # Each run starts with the previous runs' data written out, so no run pays for the
    # write-back of another.
    rm -f "$work/ours.out" "$work/checked.out" "$work/curl.out" "$work/wine.out"
    sync
    : >"$work/last.txt"
    wall "$native" "$url" "$work/ours.out" 1 >>"$work/ours-wall.txt"
    awk '{print $4}' "$work/last.txt" >>"$work/ours.txt"
    sync
    : >"$work/last.txt"
    "$native" "$url" "$work/checked.out" 1 "$work/www/file64" >"$work/last.txt"
    awk '{print $4}' "$work/last.txt" >>"$work/checked.txt"
    sync
    : >"$work/last.txt"
    wall curl -s -o "$work/curl.out" -w '%{time_total}\n' "$url" >>"$work/curl-wall.txt"
    cat "$work/last.txt" >>"$work/curl.txt"
    if [ -n "$wine_started" ]; then
        sync
        "$WINE" "$wine_bench" "$url" "build/http-bench/wine.out" 1 | awk '{print $4}' \
            >>"$work/wine.txt"
    fi
    echo "round $round done" >&2
done
cmp -s "$work/www/file64" "$work/ours.out" || { echo "our copy differs" >&2; exit 1; }
cmp -s "$work/www/file64" "$work/curl.out" || { echo "curl's copy differs" >&2; exit 1; }
cmp -s "$work/www/file64" "$work/checked.out" || { echo "the checked copy differs" >&2; exit 1; }

median() { sort -g "$1" | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
line() { awk -v n="$1" -v s="$2" -v b="$size" 'BEGIN {printf "  %-34s %7.3f s  %7.1f MB/s\n", n, s, b/s/1e6}'; }
ratio() { awk -v n="$1" -v o="$2" -v c="$3" 'BEGIN {printf "  %-34s %7.2f\n", n, c/o}'; }
ours="$(median "$work/ours.txt")"
checked="$(median "$work/checked.txt")"
theirs="$(median "$work/curl.txt")"
ours_wall="$(median "$work/ours-wall.txt")"
theirs_wall="$(median "$work/curl-wall.txt")"
echo "64 MiB from nginx on 127.0.0.1 (limit_rate $rate), median of $rounds runs:"
line "our client, own clock" "$ours"
line "curl, time_total" "$theirs"
ratio "ours / curl throughput, own clocks" "$ours" "$theirs"
line "our client, size and SHA-256 held" "$checked"
ratio "held / plain throughput, own clocks" "$checked" "$ours"
line "our client, whole command" "$ours_wall"
line "curl, whole command" "$theirs_wall"
ratio "ours / curl throughput, wall time" "$ours_wall" "$theirs_wall"
if [ -n "$wine_started" ]; then
    cmp -s "$work/www/file64" "$work/wine.out" || { echo "the Wine copy differs" >&2; exit 1; }
    wine="$(median "$work/wine.txt")"
    line "our client under Wine, own clock" "$wine"
fi
