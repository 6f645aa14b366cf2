# Sourced by the test command: busy loops that keep CPU cores occupied while the Wine stage
# runs, the load of a user's busy machine or of CI beside other work.

kelvaro_stress_pids=()
kelvaro_stress_count=0

# kelvaro_stress_start N: starts N busy loops (none for 0).
kelvaro_stress_start() {
    kelvaro_stress_count="${1:-0}"
    local i
    for ((i = 0; i < kelvaro_stress_count; i++)); do
        bash -c 'while :; do :; done' &
        kelvaro_stress_pids+=($!)
    done
    [ "$kelvaro_stress_count" -gt 0 ] && echo "== $kelvaro_stress_count busy loop(s) running"
    return 0
}

kelvaro_stress_stop() {
    [ ${#kelvaro_stress_pids[@]} -eq 0 ] && return 0
    kill "${kelvaro_stress_pids[@]}" 2>/dev/null
    wait "${kelvaro_stress_pids[@]}" 2>/dev/null
    kelvaro_stress_pids=()
    return 0
}

kelvaro_stress_label() {
    [ "$kelvaro_stress_count" -gt 0 ] && echo " (beside $kelvaro_stress_count busy loop(s))"
}
