# shellcheck shell=bash
# shellcheck disable=SC2154 # root, logs, bench_bin and the helpers are set by scripts/bench.sh
# The picture library as it ships, 32-bit under Wine (sourced by scripts/bench.sh): JPEG and PNG
# through NViewLibLoad against libjpeg-turbo's tjDecompress2 and libpng's own read in a 32-bit
# program built from the same sources, and the bitmap reader against a new buffer and a copy.
# The two sides alternate (A B A B ...); each figure is the median of the per-pair ratios.
# BENCH_PAIRS sets the number of pairs (default 15).

bench_decoders() {
    local pairs="${BENCH_PAIRS:-15}" log="$logs/decoders.log" scratch="$root/build/bench-decoders"
    echo "== Picture library, 32-bit under Wine: $pairs alternating pairs each, median of the per-pair ratios"
    cmake --build "$root/build/win32" --target DecoderBench >/dev/null || return 1
    rm -rf "$scratch"
    mkdir -p "$scratch"
    if ! wine "$bench_bin/DecoderBench.exe" "$(winepath -w "$root/build/program/NViewLib.dll" | tr -d '\r')" \
        "$(winepath -w "$scratch" | tr -d '\r')" "$pairs" 2>&1 | tr -d '\r' >"$log"; then
        echo "    measurement failed (see $log)" >&2
        return 1
    fi
    local name what target line failed=0
    printf '  %-18s %-44s %10s %10s %7s\n' "picture" "library against" "library ms" "ref. ms" "ratio"
    for name in jpeg-detailed jpeg-smooth jpeg-progressive png-rgba bmp-24; do
        case "$name" in
        jpeg-progressive) what="tjDecompress2, 4000 x 3000 progressive" target=1.2 ;;
        jpeg-*) what="tjDecompress2, 3840 x 2160 ${name#jpeg-}" target=1.2 ;;
        png-rgba) what="libpng's read, 3840 x 2160 RGBA" target=1.2 ;;
        bmp-24) what="new buffer + copy, 3840 x 2160 x 24" target=1.5 ;;
        esac
        line="$(grep "^$name library_ms=" "$log" || true)"
        if [ -z "$line" ]; then
            echo "    no figures for $name (see $log)" >&2
            failed=1
            continue
        fi
        local library reference r
        library="$(sed -n 's/.* library_ms=\([0-9.]*\).*/\1/p' <<<"$line")"
        reference="$(sed -n 's/.* reference_ms=\([0-9.]*\).*/\1/p' <<<"$line")"
        r="$(sed -n 's/.* ratio=\([0-9.]*\).*/\1/p' <<<"$line")"
        printf '  %-18s %-44s %10s %10s %7s   target <= %s  %s\n' "$name" "$what" "$library" "$reference" "$r" \
            "$target" "$(verdict "$r" "$target")"
    done
    echo "  (both sides read the file and make a new bottom-up 32-bit picture; the bitmap reader works in memory)"
    echo
    return "$failed"
}

all_benchmarks+=(decoders)
