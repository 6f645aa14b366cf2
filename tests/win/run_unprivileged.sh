#!/usr/bin/env bash
# Runs tests that need an account without root's rights. Wine gives a read-only file the
# Unix mode without write permission, which root may write all the same, so as root these
# tests run as the system account "nobody" instead: with a copy of the test program and a
# Wine prefix of their own in a private folder that is removed afterwards, and without the
# test command's display (a console program needs none). Run by any other account they
# run as it. Arguments: the Wine loader, the Windows test program, the gtest filter.
set -euo pipefail
wine="$1"
exe="$2"
filter="$3"
if [ "$(id -u)" -ne 0 ]; then
    exec "$wine" "$exe" --gtest_filter="$filter"
fi

account=nobody
wineserver="$(dirname "$wine")/wineserver"
dir="$(mktemp -d /tmp/kelvaro-unprivileged.XXXXXX)"
# Wine keeps an account's server socket under /tmp/.wine-<uid>; one made here goes again.
socket_dir="/tmp/.wine-$(id -u "$account")"
[ -e "$socket_dir" ] && keep_socket_dir=1 || keep_socket_dir=0

as_account() {
    setpriv --reuid="$account" --regid="$(id -g "$account")" --clear-groups \
        env -i PATH=/usr/bin:/bin HOME="$dir" WINEPREFIX="$dir/prefix" WINEDEBUG=-all "$@"
}
cleanup() {
    as_account "$wineserver" -k >/dev/null 2>&1 || true
    rm -rf "$dir"
    [ "$keep_socket_dir" = 1 ] || rm -rf "$socket_dir"
}
trap cleanup EXIT

cp "$exe" "$dir/"
chown -R "$account" "$dir"
as_account "$wine" "$dir/$(basename "$exe")" --gtest_filter="$filter"
