# shellcheck shell=bash
# shellcheck disable=SC2154 # root, runs, logs, bench_bin and the helpers are set by scripts/bench.sh
# Several monitors (sourced by scripts/bench.sh):
#   monitors  the randomizer applying a 4000 x 3000 JPEG in "Fill" to two monitors (1280 x 1024 and
#             1024 x 768, Xorg's dummy driver) against one monitor of 1280 x 1024, alternating run by
#             run between the two displays, each with a Wine prefix of its own: time and peak memory.

bench_monitors() {
    echo "== Monitors: the randomizer, a 4000 x 3000 JPEG in Fill on 1280 x 1024 + 1024 x 768 against 1280 x 1024, $runs pairs"
    cmake --build "$root/build/win32" --target RandomizerBench QZRandom NViewLib >/dev/null || return 1
    randomizer_make_pictures || { echo "    ImageMagick could not make the pictures" >&2; return 1; }
    (
        # shellcheck source=SCRIPTDIR/../monitors-env.sh
        source "$root/scripts/monitors-env.sh"
        trap monitors_stop EXIT
        monitors_start one 1280x1024 || exit 1
        monitors_start two 1280x1024 1024x768 RightOf || exit 1
        local session folder log="$logs/monitors.log" i ms made peak ratios=""
        declare -A times=() peaks=() sizes=() wfolder=() photo=() pair=()
        : >"$log"
        for session in one two; do
            monitors_use "$session"
            folder="$root/build/bench-monitors/$session"
            rm -rf "$folder"
            mkdir -p "$folder"
            cp "$root/build/program/QZRandom.exe" "$root/build/program/NViewLib.dll" "$folder/"
            wfolder[$session]="$(winepath -w "$folder" | tr -d '\r')"
            photo[$session]="$(winepath -w "$randomizer_pictures/photo.jpg" | tr -d '\r')"
        done
        for i in $(seq 1 "$runs"); do
            for session in one two; do
                monitors_use "$session"
                wine "$bench_bin/RandomizerBench.exe" --once "${wfolder[$session]}" Fill "${photo[$session]}" 2>&1 |
                    tr -d '\r' >"$log.run" || { cat "$log.run" >&2; exit 1; }
                sed "s/^/$session $i /" "$log.run" >>"$log"
                ms="$(sed -n 's/^ms=//p' "$log.run")"
                made="$(sed -n 's/^made=//p' "$log.run")"
                times[$session]+="$ms "
                sizes[$session]="$made"
                pair[$session]="$ms"
            done
            ratios+="$(ratio "${pair[two]}" "${pair[one]}") "
        done
        for session in one two; do
            monitors_use "$session"
            peak="$(wine "$bench_bin/RandomizerBench.exe" --peak "${wfolder[$session]}" Fill "${photo[$session]}" 2>/dev/null |
                tr -d '\r' | sed -n 's/^peak_kb=//p')"
            [ -n "$peak" ] || exit 1
            peaks[$session]="$peak"
        done
        median() { tr ' ' '\n' <<<"$1" | sed '/^$/d' | sort -n | awk '{ v[NR] = $1 } END { print v[int(NR / 2) + 1] }'; }
        local one_ms two_ms ratio bitmap_kb
        one_ms="$(median "${times[one]}")"
        two_ms="$(median "${times[two]}")"
        ratio="$(median "$ratios")"
        bitmap_kb=$((2304 * 1024 * 3 / 1024))
        printf '    %-28s %10s %12s   %s\n' "display" "median ms" "peak KB" "wallpaper made"
        printf '    %-28s %10s %12s   %s\n' "one monitor 1280 x 1024" "$one_ms" "${peaks[one]}" "${sizes[one]}"
        printf '    %-28s %10s %12s   %s\n' "two monitors, 2304 x 1024" "$two_ms" "${peaks[two]}" "${sizes[two]}"
        printf '    time two/one, median of the per-pair ratios %s; target <= 1.76 (the pixels, 1.6x, + 10 %%)   %s\n' "$ratio" \
            "$(verdict "$ratio" 1.76)"
        printf '    peak above one monitor %s KB; target <= %s KB (the virtual-screen bitmap + 8 MB)   %s\n' \
            "$((peaks[two] - peaks[one]))" "$((bitmap_kb + 8192))" \
            "$(awk -v d="$((peaks[two] - peaks[one]))" -v t="$((bitmap_kb + 8192))" 'BEGIN { print (d <= t ? "PASS" : "FAIL") }')"
        rm -rf "$root/build/bench-monitors"
    )
    local status=$?
    echo
    return "$status"
}
all_benchmarks+=(monitors)
