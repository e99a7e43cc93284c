# shellcheck shell=bash
# shellcheck disable=SC2154 # root, runs, logs, bench_bin and the helpers are set by scripts/bench.sh
# Screens from pictures (sourced by scripts/bench.sh):
#   screen   a 4000 x 3000 JPEG photo to a finished 320 x 400 x 8 screen file under Wine, next to the
#            picture library's decode of the same file; the target is the time beyond the decode

screen_pictures="$root/build/bench-screen"

bench_screen() {
    echo "== Make Screen from Picture: a 4000 x 3000 JPEG to a screen file, under Wine (32-bit), $runs runs"
    mkdir -p "$screen_pictures"
    [ -f "$screen_pictures/photo.jpg" ] ||
        convert -seed 11 -size 4000x3000 plasma:fractal -quality 90 "$screen_pictures/photo.jpg" ||
        { echo "    ImageMagick could not make the picture" >&2; return 1; }
    cmake --build "$root/build/win32" --target ScreenBench NViewLib >/dev/null || return 1
    local log="$logs/screen.log" folder library
    folder="$(winepath -w "$screen_pictures" | tr -d '\r')"
    library="$(winepath -w "$root/build/program" | tr -d '\r')"
    if ! wine "$bench_bin/ScreenBench.exe" "$folder" photo.jpg "$library" "$runs" 2>&1 | tr -d '\r' >"$log"; then
        echo "    measurement failed (see $log)" >&2
        return 1
    fi
    value() { sed -n "s/^$1=//p" "$log"; }
    [ -n "$(value beyond_decode_ms)" ] || { echo "    no figures (see $log)" >&2; return 1; }
    local beyond
    beyond="$(value beyond_decode_ms)"
    printf '  %-40s %10s\n' "median ms" ""
    printf '  %-40s %10s\n' "decode by the picture library ($(value picture))" "$(value decode_ms)"
    printf '  %-40s %10s\n' "decode and screen file" "$(value whole_ms)"
    printf '  %-40s %10s   target <= 300 ms  %s\n' "beyond the decode" "$beyond" \
        "$(awk -v m="$beyond" 'BEGIN { print (m <= 300 ? "PASS" : "FAIL") }')"
    printf '  %-40s %10s\n' "  of it: frame (averaging to 320 x 400)" "$(value frame_ms)"
    printf '  %-40s %10s\n' "  palette and dithering" "$(value quantize_ms)"
    printf '  %-40s %10s\n' "  bitmap file written whole" "$(value write_ms)"
    echo
}

all_benchmarks+=(screen)
