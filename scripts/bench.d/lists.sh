# shellcheck shell=bash
# shellcheck disable=SC2154 # root, runs, logs and bench_bin are set by scripts/bench.sh
# The selection lists at scale: loading, saving, adding, removing and selecting 100,000 entries.
bench_lists() {
    echo "== Selection lists with 100,000 entries (one run)"
    cmake --build "$root/build/win32" --target ListBench >/dev/null || return 1
    wine "$bench_bin/ListBench.exe" 2>&1 | tr -d '\r' | tee "$logs/lists.log" | sed 's/^/    /'
    grep -q '^add_1000_screens_to_100000_ms=' "$logs/lists.log" || return 1
    echo "  targets: load and show <= 1000 ms; save <= 2x a plain write (the save also flushes: see the flushed"
    echo "  write next to it); add, remove, select all, invert well under 1000 ms; adding 1,000 screens, each read"
    echo "  for the screen check, to a start-up list of 100,000: under 1000 ms"
    echo
}
all_benchmarks+=(lists)
