#!/usr/bin/env bash
# The test command: installs what is missing, builds both ways and runs every test:
# native unit tests under ASan/UBSan, the same unit tests and the Windows integration and
# end-to-end tests under Wine on a virtual display, a short run of every fuzz target, and
# the release ZIP built twice in two folders and compared.
# Exits non-zero when any stage fails.
#
# Settings (environment):
#   FUZZ_SECONDS=N      length of each fuzz run (default 30)
#   KELVARO_REPEAT=N    run the Wine stage's tests N times in a row (default 1); every run
#                       counts, the command fails when any of them failed
#   KELVARO_STRESS=N    keep N busy loops running during the Wine stage, to show that the
#                       suites also pass on a machine that is busy with other work
#   KELVARO_STAGES=...  the stages to run, of: checks native windows fuzz release (default all)
set -uo pipefail
cd "$(dirname "$0")/.."
export KELVARO_ROOT="$PWD"

scripts/install-deps.sh || exit 1
source scripts/wine-env.sh
source scripts/stress.sh
trap 'kelvaro_stress_stop; kelvaro_wine_cleanup' EXIT

stages="${KELVARO_STAGES:-checks native windows fuzz release}"
failed=()
stage() {
    local key="$1" name="$2"
    shift 2
    case " $stages " in *" $key "*) ;; *) return 0 ;; esac
    echo
    echo "==== $name"
    if "$@"; then echo "==== $name: passed"; else echo "==== $name: FAILED"; failed+=("$name"); fi
}

# Tests that may skip in the test command: one gtest name (Suite.Test) a line, each with
# the reason in a comment. Any other skip fails the stage, since a skipped test checks
# nothing. None at present: the cases that need a setting of their own (a read-only file
# as an account without root's rights, a double-byte code page, a full disk) run in
# ctest entries of their own that give it.
allowed_skips=(
)

# Fails when the last ctest run in the build folder $1 skipped a test not allowed above
# (gtest's "[  SKIPPED ]" lines, Python's "skipped=" count).
check_skips() {
    local log="$1/Testing/Temporary/LastTest.log" name bad=0
    [ -f "$log" ] || { echo "no test log $log"; return 1; }
    while read -r name; do
        case " ${allowed_skips[*]} " in *" $name "*) continue ;; esac
        echo "skipped outside the allowed list: $name"
        bad=1
    done < <(tr -d '\r' <"$log" | awk '$1 == "[" && $2 == "SKIPPED" && $4 ~ /\./ { print $4 }' | sort -u)
    if tr -d '\r' <"$log" | grep -qE '\(skipped=[0-9]+|, skipped=[0-9]+'; then
        echo "a Python test skipped: $(grep -E 'skipped=' "$log" | head -1)"
        bad=1
    fi
    return $bad
}

native() {
    cmake --preset native >/dev/null && cmake --build --preset native &&
        ctest --preset native && check_skips build/native
}

# The Wine stage's tests, KELVARO_REPEAT times, optionally beside busy loops.
windows_tests() {
    local repeat="${KELVARO_REPEAT:-1}" run failures=0
    kelvaro_stress_start "${KELVARO_STRESS:-0}"
    for run in $(seq "$repeat"); do
        [ "$repeat" -gt 1 ] && echo "== Wine run $run of $repeat$(kelvaro_stress_label)"
        { ctest --preset windows && check_skips build/windows; } || failures=$((failures + 1))
    done
    kelvaro_stress_stop
    [ "$repeat" -gt 1 ] && echo "== Wine runs: $repeat, failed: $failures$(kelvaro_stress_label)"
    [ "$failures" -eq 0 ]
}

windows() {
    cmake --preset windows >/dev/null && cmake --build --preset windows &&
        kelvaro_wine_setup virtual && windows_tests
}

data_checks() {
    python3 tools/check_icons.py && python3 tools/check_demo_data.py
}

# Every folder of src/ includes and links only the folders below it (docs/development.md).
layer_check() {
    python3 tools/check_layers.py
}

stage checks "icon and demo data checks" data_checks
stage checks "layer check of src/" layer_check
stage native "native build and unit tests (ASan, UBSan)" native
stage windows "Windows build, unit, integration and end-to-end tests under Wine" windows
stage fuzz "fuzz smoke runs" scripts/fuzz-smoke.sh
stage release "release ZIP: built twice, the same bytes; resources and signing" tests/release/check_release.py

echo
if [ ${#failed[@]} -ne 0 ]; then
    printf 'FAILED: %s\n' "${failed[@]}"
    exit 1
fi
echo "All test stages passed."
