# shellcheck shell=bash
# shellcheck disable=SC2154 # root is set by scripts/bench.sh
# JPEG decoding of the picture library (sourced by scripts/bench.sh): 3840 x 2160 JPEGs through
# DecodeWithStb next to libjpeg-turbo's tjDecompress2 on the same bytes, natively in the host tree.
# Two pictures: "detailed" (photo-like, with fine noise) and "smooth" (drawn wallpaper).

# The median real time in ms of one benchmark in Google Benchmark's CSV output
# ("name",iterations,real_time,cpu_time,time_unit,...): jpeg_bench_median <csv> <benchmark name>
jpeg_bench_median() {
    awk -F, -v name="\"$2/real_time_median\"" '$1 == name { print $3 }' "$1"
}

# Builds and runs build/host/bench/jpeg_bench; prints the medians and the ratio to the target.
bench_jpeg() {
    echo "== JPEG decoding, 3840 x 2160: DecodeWithStb against tjDecompress2 (host tree)"
    [ -f "$root/build/host/CMakeCache.txt" ] || "$root/scripts/build.sh" host >/dev/null || return 1
    cmake --build "$root/build/host" --target jpeg_bench >/dev/null || return 1
    local log="${logs:-$root/build/bench-logs}/jpeg.csv" runs="${BENCH_RUNS:-7}"
    mkdir -p "$(dirname "$log")"
    # Repetitions interleaved at random, so that a slow spell of the machine hits all alike.
    if ! "$root/build/host/bench/jpeg_bench" --benchmark_repetitions="$runs" \
        --benchmark_enable_random_interleaving=true --benchmark_report_aggregates_only=true \
        --benchmark_format=csv >"$log" 2>/dev/null; then
        echo "    measurement failed (see $log)" >&2
        return 1
    fi
    local picture stb turbo bare ratio bare_ratio verdict failed=0
    printf '  %-10s %16s %16s %16s %10s %10s\n' "median ms" "DecodeWithStb" "tjDecompress2" "bare stb" "bare/tj" "ratio"
    for picture in detailed smooth; do
        stb="$(jpeg_bench_median "$log" "DecodeWithStb/$picture")"
        turbo="$(jpeg_bench_median "$log" "tjDecompress2/$picture")"
        bare="$(jpeg_bench_median "$log" "stbi_load_from_memory/$picture")"
        if [ -z "$stb" ] || [ -z "$turbo" ] || [ -z "$bare" ]; then
            echo "    no figures for $picture in $log" >&2
            failed=1
            continue
        fi
        ratio="$(awk -v a="$stb" -v b="$turbo" 'BEGIN { printf "%.2f", a / b }')"
        bare_ratio="$(awk -v a="$bare" -v b="$turbo" 'BEGIN { printf "%.2f", a / b }')"
        verdict="$(awk -v r="$ratio" 'BEGIN { print (r <= 1.5 ? "PASS" : "FAIL") }')"
        printf '  %-10s %16.1f %16.1f %16.1f %10s %10s   target <= 1.5  %s\n' \
            "$picture" "$stb" "$turbo" "$bare" "$bare_ratio" "$ratio" "$verdict"
    done
    echo "  (DecodeWithStb and tjDecompress2 both make a bottom-up 32-bit picture; bare stb: top-down RGBA)"
    echo
    return "$failed"
}

all_benchmarks+=(jpeg)
