#!/usr/bin/env bash
# The test command: installs what is missing, builds both ways and runs every test:
# native unit tests under ASan/UBSan, the same unit tests and the Windows integration and
# end-to-end tests under Wine on a virtual display, a short run of every fuzz target, and
# the release ZIP built twice in two folders and compared.
# Exits non-zero when any stage fails. FUZZ_SECONDS sets the length of each fuzz run.
set -uo pipefail
cd "$(dirname "$0")/.."
export KELVARO_ROOT="$PWD"

scripts/install-deps.sh || exit 1
source scripts/wine-env.sh
trap kelvaro_wine_cleanup EXIT

failed=()
stage() {
    local name="$1"
    shift
    echo
    echo "==== $name"
    if "$@"; then echo "==== $name: passed"; else echo "==== $name: FAILED"; failed+=("$name"); fi
}

native() {
    cmake --preset native >/dev/null && cmake --build --preset native &&
        ctest --preset native
}

windows() {
    cmake --preset windows >/dev/null && cmake --build --preset windows &&
        kelvaro_wine_setup virtual && ctest --preset windows
}

data_checks() {
    python3 tools/check_icons.py && python3 tools/check_demo_data.py
}

stage "icon and demo data checks" data_checks
stage "native build and unit tests (ASan, UBSan)" native
stage "Windows build, unit, integration and end-to-end tests under Wine" windows
stage "fuzz smoke runs" scripts/fuzz-smoke.sh
stage "release ZIP: built twice, the same bytes; resources and signing" tests/release/check_release.py

echo
if [ ${#failed[@]} -ne 0 ]; then
    printf 'FAILED: %s\n' "${failed[@]}"
    exit 1
fi
echo "All test stages passed."
