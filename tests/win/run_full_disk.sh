#!/usr/bin/env bash
# Runs the settings file's full-disk suite in a small file system of its own: a 256 KiB
# tmpfs, mounted for the run and removed afterwards (mounting needs root, which the test
# command has). Arguments: the Wine loader and the Windows test program.
set -euo pipefail
wine="$1"
exe="$2"
dir="$(mktemp -d /tmp/kelvaro-full-disk.XXXXXX)"
cleanup() {
    umount "$dir" 2>/dev/null || true
    rmdir "$dir"
}
trap cleanup EXIT
mount -t tmpfs -o size=256k tmpfs "$dir"
KELVARO_FULL_DISK_DIR="Z:${dir//\//\\}" "$wine" "$exe" --gtest_filter='IniFullDisk.*'
