# shellcheck shell=bash
# shellcheck disable=SC2154 # root, logs and the helpers are set by scripts/bench.sh
# Sourced by scripts/bench.sh: reading a 3840 x 2160 x 24-bit bitmap in memory, against one memcpy
# of its pixel bytes (host tree, optimised build without sanitizers).

# Builds and runs build/host/bench/bmp_bench; prints both medians and their ratio.
bench_bmp() {
    echo "== BMP reader: 3840 x 2160 x 24 bits in memory, against one memcpy of its pixel bytes"
    local csv="$logs/bmp.csv"
    host_benchmark bmp_bench "$csv" || return 1

    local copy_ms read_ms topdown_ms
    copy_ms="$(bench_median "$csv" BM_MemcpyPixels)"
    read_ms="$(bench_median "$csv" BM_ReadBmp24)"
    topdown_ms="$(bench_median "$csv" BM_ReadBmp24TopDown)"
    if [ -z "$copy_ms" ] || [ -z "$read_ms" ] || [ -z "$topdown_ms" ]; then
        echo "    no figures (see $csv)" >&2
        return 1
    fi

    local read_ratio
    read_ratio="$(ratio "$read_ms" "$copy_ms")"
    printf '  %-32s %10s\n' "median" "ms"
    printf '  %-32s %10s\n' "memcpy of the pixel bytes" "$copy_ms"
    printf '  %-32s %10s\n' "ReadBmp, bottom-up" "$read_ms"
    printf '  %-32s %10s\n' "ReadBmp, top-down" "$topdown_ms"
    printf '  %-32s %10s   (informative)\n' "ratio top-down/memcpy" "$(ratio "$topdown_ms" "$copy_ms")"
    printf '  %-32s %10s   target: ratio <= 3   %s\n' "ratio ReadBmp/memcpy" "$read_ratio" "$(verdict "$read_ratio" 3)"
    echo
}

all_benchmarks+=(bmp)
