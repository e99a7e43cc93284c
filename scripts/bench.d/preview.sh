# shellcheck shell=bash
# shellcheck disable=SC2154 # root, runs, logs, bench_bin, program_exe and the helpers are set by scripts/bench.sh
# The preview of camera photos in the real program, driven from outside (sourced by scripts/bench.sh):
#   preview  choosing a 4000 x 3000 JPEG in the browser until the preview pane has painted it,
#            alternating with libjpeg-turbo's own decode of the same file reduced to the scale the
#            pane reads it at, into a 32-bit bitmap (the floor), and with choosing a 1024 x 768 one
#            (for information); the peak working set previewing each, and with F4 of each ("Fit 2
#            Screen"); walking with the Down key through 40 such photos.
# With BENCH_BEFORE set to a folder holding another build of the program (QZSelect.exe and
# NViewLib.dll), that build runs in turn with this one and its figures are shown as "before".

preview_folder="$root/build/bench-preview"

# The folders of pictures, from the randomizer benchmark's two (made once with ImageMagick):
# hard links, so the 40 photos take the room of one.
preview_make_folders() {
    randomizer_make_pictures || return 1
    local photo="$randomizer_pictures/photo.jpg" screen="$randomizer_pictures/screen.jpg" i
    rm -rf "$preview_folder"
    mkdir -p "$preview_folder"/{choose,large,small,walk,program,before}
    ln "$photo" "$preview_folder/choose/1-photo.jpg"
    ln "$screen" "$preview_folder/choose/2-screen.jpg"
    ln "$photo" "$preview_folder/large/photo.jpg"
    ln "$screen" "$preview_folder/small/screen.jpg"
    for i in $(seq -w 1 40); do
        ln "$photo" "$preview_folder/walk/photo$i.jpg"
    done
    cp "$program_exe" "$root/build/program/NViewLib.dll" "$preview_folder/program/"
    if [ -n "${BENCH_BEFORE:-}" ]; then
        cp "$BENCH_BEFORE/QZSelect.exe" "$BENCH_BEFORE/NViewLib.dll" "$preview_folder/before/" || return 1
    fi
}

# The Windows path of a file: preview_windows_path <path>
preview_windows_path() {
    winepath -w "$1" | tr -d '\r'
}

# One run of the probe, its output kept in a log: preview_probe <log name> <arguments...>
preview_probe() {
    local log="$logs/preview-$1.log"
    shift
    if ! wine "$bench_bin/PreviewProbe.exe" "$@" 2>&1 | tr -d '\r' >"$log" || grep -q '^FAILED' "$log"; then
        echo "    measurement failed (see $log)" >&2
        return 1
    fi
    sed 's/^/    /' "$log" | grep -v '=' || true
}

# A value of the last probe's log: preview_value <log name> <key>
preview_value() {
    sed -n "s/^$2=//p" "$logs/preview-$1.log"
}

bench_preview() {
    echo "== Preview of camera photos: the real program driven through its file list, $runs pairs"
    cmake --build "$root/build/win32" --target PreviewProbe QZSelect NViewLib >/dev/null || return 1
    preview_make_folders || { echo "    the pictures could not be made" >&2; return 1; }
    local exes=() failed=0
    exes+=("$(preview_windows_path "$preview_folder/program/QZSelect.exe")")
    [ -n "${BENCH_BEFORE:-}" ] && exes+=("$(preview_windows_path "$preview_folder/before/QZSelect.exe")")

    echo "  choosing the 4000 x 3000 JPEG until painted, against the floor and the 1024 x 768 one:"
    if preview_probe choose choose "$(preview_windows_path "$preview_folder/choose")" "$runs" "${exes[@]}"; then
        local r f
        r="$(preview_value choose ratio)"
        f="$(preview_value choose against_floor)"
        printf '    %-34s %10s ms, floor (libjpeg-turbo at %s, pane %s): %s ms, ratio %s; target <= 1.3   %s\n' \
            "4000 x 3000, median" "$(preview_value choose large_ms)" "$(preview_value choose floor_scale)" \
            "$(preview_value choose pane)" "$(preview_value choose floor_ms)" "$f" "$(verdict "$f" 1.3)"
        printf '    %-34s %10s ms, ratio 4000 x 3000 / 1024 x 768: %s (information)\n' "1024 x 768, median" \
            "$(preview_value choose small_ms)" "$r"
        if [ ${#exes[@]} -gt 1 ]; then
            printf '    %-34s %10s ms, against the floor %s, 1024 x 768: %s ms, ratio %s\n' \
                "before: 4000 x 3000, median" "$(preview_value choose before_large_ms)" \
                "$(preview_value choose before_against_floor)" "$(preview_value choose before_small_ms)" \
                "$(preview_value choose before_ratio)"
            printf '    %-34s %10s (median of the pairs)\n' "4000 x 3000 against before" \
                "$(preview_value choose large_against_before)"
        fi
    else
        failed=1
    fi

    local what style key
    for what in "preview:-" "F4, Fit 2 Screen:3"; do
        style="${what##*:}"
        key="peak${style/-/}"
        echo "  peak working set, ${what%%:*}, the 4000 x 3000 JPEG against the 1024 x 768 one:"
        if preview_probe "$key" peak "$(preview_windows_path "$preview_folder/large")" "$(preview_windows_path "$preview_folder/small")" "$runs" \
            "$style" "${exes[@]}"; then
            local d
            d="$(preview_value "$key" difference_kb)"
            printf '    %-34s %10s KB, 1024 x 768: %s KB, difference %s KB; target <= +8 MB   %s\n' \
                "4000 x 3000, median" "$(preview_value "$key" large_peak_kb)" \
                "$(preview_value "$key" small_peak_kb)" "$d" "$(awk -v d="$d" 'BEGIN { print (d <= 8192 ? "PASS" : "FAIL") }')"
            if [ ${#exes[@]} -gt 1 ]; then
                printf '    %-34s %10s KB, 1024 x 768: %s KB, difference %s KB\n' "before: 4000 x 3000, median" \
                    "$(preview_value "$key" before_large_peak_kb)" "$(preview_value "$key" before_small_peak_kb)" \
                    "$(preview_value "$key" before_difference_kb)"
            fi
        else
            failed=1
        fi
    done

    local rounds=$(((runs + 2) / 3))
    echo "  walking with the Down key through 40 photos of 4000 x 3000, $rounds rounds:"
    if preview_probe walk walk "$(preview_windows_path "$preview_folder/walk")" "$rounds" "${exes[@]}"; then
        printf '    %-34s %10s ms (mean %s ms)\n' "per step, median" "$(preview_value walk step_median_ms)" \
            "$(preview_value walk step_mean_ms)"
        if [ ${#exes[@]} -gt 1 ]; then
            printf '    %-34s %10s ms (mean %s ms)\n' "before: per step, median" \
                "$(preview_value walk before_step_median_ms)" "$(preview_value walk before_step_mean_ms)"
        fi
    else
        failed=1
    fi
    echo
    return "$failed"
}
all_benchmarks+=(preview)
