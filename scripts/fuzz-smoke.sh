#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for FUZZ_SECONDS (default 30)
# from its seed corpus. Fails when a target finds a crash.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${FUZZ_SECONDS:-30}"

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

status=0
for target in build/fuzz/bin/fuzz_*; do
    [ -x "$target" ] || continue
    name="$(basename "$target")"
    corpus="build/fuzz/corpus/$name"
    mkdir -p "$corpus"
    seeds="fuzz/seeds/${name#fuzz_}"
    [ -d "$seeds" ] && cp -n "$seeds"/* "$corpus"/ 2>/dev/null || true
    echo "== $name for ${seconds}s"
    if ! "$target" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="build/fuzz/$name-" \
        "$corpus" >"build/fuzz/$name.log" 2>&1; then
        echo "$name FAILED; the end of its log:"
        tail -40 "build/fuzz/$name.log"
        status=1
    else
        grep -E 'stat::number_of_executed_units|Done' "build/fuzz/$name.log" | tail -2
    fi
done
exit $status
