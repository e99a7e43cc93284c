# shellcheck shell=bash
# shellcheck disable=SC2154 # root, runs, logs and bench_bin are set by scripts/bench.sh
# The randomizer (sourced by scripts/bench.sh):
#   randomizer  one log-on run of QZRandom.exe with 4 x 25,000 entries, start to exit, against
#               starting and ending an empty GUI program (without and with the window system set
#               up), alternating; then the same run with a 3840 x 2160 JPEG as the wallpaper

bench_randomizer() {
    echo "== Randomizer: one run with 4 x 25,000 entries against an empty GUI program, $runs pairs"
    cmake --build "$root/build/win32" --target RandomizerBench EmptyProgram EmptyUser32Program QZRandom NViewLib >/dev/null || return 1
    local folder="$root/build/bench-randomizer" log="$logs/randomizer.log" picture failed=0
    rm -rf "$folder"
    mkdir -p "$folder" "$logs"
    cp "$root/build/program/QZRandom.exe" "$root/build/program/NViewLib.dll" "$folder/"
    picture="$root/build/bench-wallpaper/big.jpg"
    [ -f "$picture" ] || { mkdir -p "$(dirname "$picture")" &&
        convert -seed 9 -size 3840x2160 plasma:fractal -quality 90 "$picture"; } || return 1

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
    echo "  the same with a 3840 x 2160 JPEG wallpaper (decode and composition included):"
    wine "$bench_bin/RandomizerBench.exe" "$win_folder" "$runs" "$(winepath -w "$picture" | tr -d '\r')" "$empty" \
        "$empty32" 2>&1 | tr -d '\r' | tee "$logs/randomizer-jpeg.log" | sed 's/^/    /' || failed=1
    rm -rf "$folder"
    return "$failed"
}
all_benchmarks+=(randomizer)
