# shellcheck shell=bash
# shellcheck disable=SC2154 # root, runs, logs, bench_bin and the helpers are set by scripts/bench.sh
# The randomizer (sourced by scripts/bench.sh):
#   randomizer  one log-on run of QZRandom.exe with 4 x 25,000 entries, start to exit, against
#               starting and ending an empty GUI program (without and with the window system set
#               up), alternating; then, for each wallpaper style, the same run with a 4000 x 3000
#               JPEG wallpaper against the run with a 1024 x 768 one, alternating

randomizer_pictures="$root/build/bench-randomizer-pictures"

# The pictures, made once with ImageMagick: plasma fractals look like photographs. 4:2:0, as cameras store them.
randomizer_make_pictures() {
    mkdir -p "$randomizer_pictures"
    [ -f "$randomizer_pictures/photo.jpg" ] ||
        convert -seed 11 -size 4000x3000 plasma:fractal -quality 90 -sampling-factor 2x2 \
            "$randomizer_pictures/photo.jpg" || return 1
    [ -f "$randomizer_pictures/screen.jpg" ] ||
        convert -seed 13 -size 1024x768 plasma:fractal -quality 90 -sampling-factor 2x2 \
            "$randomizer_pictures/screen.jpg" || return 1
}

bench_randomizer() {
    echo "== Randomizer: one run with 4 x 25,000 entries against an empty GUI program, $runs pairs"
    cmake --build "$root/build/win32" --target RandomizerBench EmptyProgram EmptyUser32Program QZRandom NViewLib >/dev/null || return 1
    randomizer_make_pictures || { echo "    ImageMagick could not make the pictures" >&2; return 1; }
    local folder="$root/build/bench-randomizer" log="$logs/randomizer.log" failed=0
    rm -rf "$folder"
    mkdir -p "$folder" "$logs"
    cp "$root/build/program/QZRandom.exe" "$root/build/program/NViewLib.dll" "$folder/"

    local win_folder empty empty32
    win_folder="$(winepath -w "$folder" | tr -d '\r')"
    empty="$(winepath -w "$bench_bin/EmptyProgram.exe" | tr -d '\r')"
    empty32="$(winepath -w "$bench_bin/EmptyUser32Program.exe" | tr -d '\r')"
    echo "  bitmap screens, a 64 x 64 bitmap wallpaper (no decode to speak of):"
    wine "$bench_bin/RandomizerBench.exe" "$win_folder" "$runs" - "$empty" "$empty32" 2>&1 | tr -d '\r' |
        tee "$log" | sed 's/^/    /' || failed=1
    local r
    r="$(sed -n 's/^ratio=//p' "$log")"
    [ -n "$r" ] && printf '    target: ratio <= 1.5   %s (against the program without the window system)\n' \
        "$(verdict "$r" 1.5)" || failed=1

    echo "  a 4000 x 3000 JPEG wallpaper against a 1024 x 768 one on the $(wine "$bench_bin/RandomizerBench.exe" --screen 2>/dev/null | tr -d '\r') desktop, per style:"
    local photo screen style key pair_log ms ref peak ref_peak
    photo="$(winepath -w "$randomizer_pictures/photo.jpg" | tr -d '\r')"
    screen="$(winepath -w "$randomizer_pictures/screen.jpg" | tr -d '\r')"
    printf '    %-14s %10s %10s %7s %-6s %12s %12s %-6s\n' "style" "4000 ms" "1024 ms" "ratio" "<=1.3" \
        "4000 peak KB" "1024 peak KB" "<=+8MB"
    for style in "Centred" "Stretched" "Tiled" "Fit 2 Screen" "Mirror"; do
        key="${style// /-}"
        pair_log="$logs/randomizer-$key.log"
        if ! wine "$bench_bin/RandomizerBench.exe" --pair "$win_folder" "$runs" "$style" "$photo" "$screen" 2>&1 |
            tr -d '\r' >"$pair_log"; then
            echo "    $style: measurement failed (see $pair_log)" >&2
            failed=1
            continue
        fi
        ms="$(sed -n 's/^picture_ms=//p' "$pair_log")"
        ref="$(sed -n 's/^reference_ms=//p' "$pair_log")"
        r="$(sed -n 's/^ratio=//p' "$pair_log")"
        peak="$(sed -n 's/^picture_peak_kb=//p' "$pair_log")"
        ref_peak="$(sed -n 's/^reference_peak_kb=//p' "$pair_log")"
        printf '    %-14s %10s %10s %7s %-6s %12s %12s %-6s\n' "$style" "$ms" "$ref" "$r" "$(verdict "$r" 1.3)" \
            "$peak" "$ref_peak" "$(awk -v p="$peak" -v q="$ref_peak" 'BEGIN { print (p <= q + 8192 ? "PASS" : "FAIL") }')"
    done
    rm -rf "$folder"
    echo
    return "$failed"
}
all_benchmarks+=(randomizer)
