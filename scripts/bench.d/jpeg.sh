# shellcheck shell=bash
# shellcheck disable=SC2154 # logs and the helpers are set by scripts/bench.sh
# JPEG decoding of the picture library (sourced by scripts/bench.sh): 3840 x 2160 JPEGs through
# DecodeWithStb next to libjpeg-turbo's tjDecompress2 on the same bytes, natively in the host tree.
# Two pictures: "detailed" (photo-like, with fine noise) and "smooth" (drawn wallpaper).

# Builds and runs build/host/bench/jpeg_bench; prints the medians and the ratio to the target.
bench_jpeg() {
    echo "== JPEG decoding, 3840 x 2160: DecodeWithStb against tjDecompress2 (host tree)"
    local log="$logs/jpeg.csv"
    # Repetitions interleaved at random, so that a slow spell of the machine hits all alike.
    if ! host_benchmark jpeg_bench "$log" --benchmark_enable_random_interleaving=true; then
        echo "    measurement failed (see $log)" >&2
        return 1
    fi
    local picture stb turbo bare stb_ratio failed=0
    printf '  %-10s %16s %16s %16s %10s %10s\n' "median ms" "DecodeWithStb" "tjDecompress2" "bare stb" "bare/tj" "ratio"
    for picture in detailed smooth; do
        stb="$(bench_median "$log" "DecodeWithStb/$picture")"
        turbo="$(bench_median "$log" "tjDecompress2/$picture")"
        bare="$(bench_median "$log" "stbi_load_from_memory/$picture")"
        if [ -z "$stb" ] || [ -z "$turbo" ] || [ -z "$bare" ]; then
            echo "    no figures for $picture in $log" >&2
            failed=1
            continue
        fi
        stb_ratio="$(ratio "$stb" "$turbo")"
        printf '  %-10s %16.1f %16.1f %16.1f %10s %10s   target <= 1.5  %s\n' \
            "$picture" "$stb" "$turbo" "$bare" "$(ratio "$bare" "$turbo")" "$stb_ratio" "$(verdict "$stb_ratio" 1.5)"
    done
    echo "  (DecodeWithStb and tjDecompress2 both make a bottom-up 32-bit picture; bare stb: top-down RGBA)"
    echo
    return "$failed"
}

all_benchmarks+=(jpeg)
