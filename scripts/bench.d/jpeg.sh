# shellcheck shell=bash
# shellcheck disable=SC2154 # logs and the helpers are set by scripts/bench.sh
# JPEG decoding of the picture library (sourced by scripts/bench.sh): 3840 x 2160 JPEGs through
# DecodeJpeg next to libjpeg-turbo's tjDecompress2 on the same bytes, natively in the host tree.
# Two pictures: "detailed" (photo-like, with fine noise) and "smooth" (drawn wallpaper).

# Builds and runs build/host/bench/jpeg_bench; prints the medians and the ratio to the target.
bench_jpeg() {
    echo "== JPEG decoding, 3840 x 2160: DecodeJpeg against tjDecompress2 (host tree)"
    local log="$logs/jpeg.csv"
    # Repetitions interleaved at random, so that a slow spell of the machine hits all alike.
    if ! host_benchmark jpeg_bench "$log" --benchmark_enable_random_interleaving=true; then
        echo "    measurement failed (see $log)" >&2
        return 1
    fi
    local picture library turbo library_ratio failed=0
    printf '  %-10s %16s %16s %10s\n' "median ms" "DecodeJpeg" "tjDecompress2" "ratio"
    for picture in detailed smooth; do
        library="$(bench_median "$log" "DecodeJpeg/$picture")"
        turbo="$(bench_median "$log" "tjDecompress2/$picture")"
        if [ -z "$library" ] || [ -z "$turbo" ]; then
            echo "    no figures for $picture in $log" >&2
            failed=1
            continue
        fi
        library_ratio="$(ratio "$library" "$turbo")"
        printf '  %-10s %16.1f %16.1f %10s   target <= 1.2  %s\n' \
            "$picture" "$library" "$turbo" "$library_ratio" "$(verdict "$library_ratio" 1.2)"
    done
    echo "  (DecodeJpeg and tjDecompress2 both make a bottom-up 32-bit picture)"
    echo
    return "$failed"
}

all_benchmarks+=(jpeg)
