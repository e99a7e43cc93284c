# shellcheck shell=bash
# shellcheck disable=SC2154 # root and logs are set by scripts/bench.sh
# Sourced by scripts/bench.sh: reading a 3840 x 2160 x 24-bit bitmap in memory, against one memcpy
# of its pixel bytes (host tree, optimised build without sanitizers).

# The median real time of one benchmark in Google Benchmark's CSV output, in ms:
# bmp_bench_median <csv> <benchmark name>
bmp_bench_median() {
    awk -F, -v n="\"$2/real_time_median\"" '$1 == n { printf "%.2f", $3 }' "$1"
}

# Builds and runs build/host/bench/bmp_bench; prints both medians and their ratio.
bench_bmp() {
    echo "== BMP reader: 3840 x 2160 x 24 bits in memory, against one memcpy of its pixel bytes"
    [ -f "$root/build/host/CMakeCache.txt" ] || "$root/scripts/build.sh" host >/dev/null || return 1
    cmake --build "$root/build/host" --target bmp_bench >/dev/null || return 1

    local csv="${logs:-$root/build/bench-logs}/bmp.csv"
    mkdir -p "$(dirname "$csv")"
    "$root/build/host/bench/bmp_bench" --benchmark_repetitions="${BENCH_RUNS:-7}" \
        --benchmark_report_aggregates_only=true --benchmark_format=csv >"$csv" 2>/dev/null || return 1

    # CSV rows: "name",iterations,real_time,cpu_time,time_unit,...; the medians, in ms.
    local copy_ms read_ms topdown_ms
    copy_ms="$(bmp_bench_median "$csv" BM_MemcpyPixels)"
    read_ms="$(bmp_bench_median "$csv" BM_ReadBmp24)"
    topdown_ms="$(bmp_bench_median "$csv" BM_ReadBmp24TopDown)"
    if [ -z "$copy_ms" ] || [ -z "$read_ms" ] || [ -z "$topdown_ms" ]; then
        echo "    no figures (see $csv)" >&2
        return 1
    fi

    local ratio topdown_ratio verdict
    ratio="$(awk -v a="$read_ms" -v b="$copy_ms" 'BEGIN { printf "%.2f", a / b }')"
    topdown_ratio="$(awk -v a="$topdown_ms" -v b="$copy_ms" 'BEGIN { printf "%.2f", a / b }')"
    verdict="$(awk -v r="$ratio" 'BEGIN { print (r <= 3 ? "PASS" : "FAIL") }')"
    printf '  %-32s %10s\n' "median" "ms"
    printf '  %-32s %10s\n' "memcpy of the pixel bytes" "$copy_ms"
    printf '  %-32s %10s\n' "ReadBmp, bottom-up" "$read_ms"
    printf '  %-32s %10s\n' "ReadBmp, top-down" "$topdown_ms"
    printf '  %-32s %10s   (informative)\n' "ratio top-down/memcpy" "$topdown_ratio"
    printf '  %-32s %10s   target: ratio <= 3   %s\n' "ratio ReadBmp/memcpy" "$ratio" "$verdict"
    echo
}

all_benchmarks+=(bmp)
