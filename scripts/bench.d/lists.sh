# shellcheck shell=bash
# shellcheck disable=SC2154 # root, logs, bench_bin and the helpers are set by scripts/bench.sh
# The selection lists at scale: loading, saving, adding, removing and selecting 100,000 entries.
# The save alternates with writing and flushing the same bytes (A B A B ...); its ratio is the
# median of the per-pair ratios. BENCH_PAIRS sets the number of pairs (default 15).
bench_lists() {
    local pairs="${BENCH_PAIRS:-15}" log="$logs/lists.log"
    echo "== Selection lists with 100,000 entries (the save: $pairs alternating pairs, medians; the rest: one run)"
    cmake --build "$root/build/win32" --target ListBench >/dev/null || return 1
    wine "$bench_bin/ListBench.exe" "$pairs" 2>&1 | tr -d '\r' | tee "$log" | sed 's/^/    /'
    grep -q '^add_1000_screens_to_100000_ms=' "$log" || return 1
    local save flushed save_ratio
    save="$(sed -n 's/^save_ms=//p' "$log")"
    flushed="$(sed -n 's/^plain_write_flushed_ms=//p' "$log")"
    save_ratio="$(sed -n 's/^save_ratio_to_flushed=//p' "$log")"
    [ -n "$save" ] && [ -n "$flushed" ] && [ -n "$save_ratio" ] || return 1
    echo "  save $save ms, writing and flushing the same bytes $flushed ms (medians)"
    echo "  target: save at most 1.5x writing and flushing the same bytes: ratio $save_ratio   $(verdict "$save_ratio" 1.5)"
    echo "  targets: load and show <= 1000 ms; add, remove, select all, invert well under 1000 ms; adding 1,000"
    echo "  screens, each read for the screen check, to a start-up list of 100,000: under 1000 ms"
    echo
}
all_benchmarks+=(lists)
