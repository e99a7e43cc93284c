# shellcheck shell=bash
# shellcheck disable=SC2154 # root, runs, logs, bench_bin and the helpers are set by scripts/bench.sh
# Wallpapers (sourced by scripts/bench.sh):
#   compose    tiles and mirrors over a 3840 x 2160 x 32 frame against one memcpy of it, and the
#              averaging scaler fitting a 4000 x 3000 photo to 1920 x 1440 next to ImageMagick's
#              box-filter resize of the same picture (host tree)
#   wallpaper  opening the full-screen window and F4 for a 3840 x 2160 JPEG under Wine, each next
#              to a bare Win32 floor doing the same work, the two alternating in one run

wallpaper_pictures="$root/build/bench-wallpaper"

# The test pictures, made once with ImageMagick: plasma fractals look like photographs.
wallpaper_make_pictures() {
    mkdir -p "$wallpaper_pictures"
    [ -f "$wallpaper_pictures/photo.ppm" ] ||
        convert -seed 11 -size 4000x3000 plasma:fractal -depth 8 -type TrueColor "$wallpaper_pictures/photo.ppm" ||
        return 1
    [ -f "$wallpaper_pictures/photo.mpc" ] ||
        convert "$wallpaper_pictures/photo.ppm" "$wallpaper_pictures/photo.mpc" || return 1
    [ -f "$wallpaper_pictures/big.jpg" ] ||
        convert -seed 9 -size 3840x2160 plasma:fractal -quality 90 "$wallpaper_pictures/big.jpg" || return 1
}

# Median wall time in ms of a command run $runs times: median_ms <command...>
median_ms() {
    local i start end times=()
    for ((i = 0; i < runs; i++)); do
        start=$(date +%s%N)
        "$@" >/dev/null 2>&1 || return 1
        end=$(date +%s%N)
        times+=("$(((end - start) / 1000))")
    done
    printf '%s\n' "${times[@]}" | sort -n | awk '{ a[NR] = $1 } END { printf "%.1f", a[int((NR + 1) / 2)] / 1000 }'
}

bench_compose() {
    echo "== Wallpaper composition in memory (host tree, optimised, one thread)"
    wallpaper_make_pictures || { echo "    ImageMagick could not make the pictures" >&2; return 1; }
    local csv="$logs/compose.csv"
    if ! VISTREL_BENCH_PPM="$wallpaper_pictures/photo.ppm" host_benchmark compose_bench "$csv" \
        --benchmark_enable_random_interleaving=true; then
        echo "    measurement failed (see $csv)" >&2
        return 1
    fi
    local frame case ms r failed=0
    frame="$(bench_median "$csv" BM_MemcpyFrame)"
    printf '  %-36s %10s %10s\n' "median" "ms" "ratio"
    printf '  %-36s %10s\n' "memcpy of a 3840 x 2160 x 32 frame" "$frame"
    for case in Tiled/300/200 Tiled/256/256 Mirror/300/200 Mirror/256/256; do
        ms="$(bench_median "$csv" "BM_Compose/$case")"
        [ -n "$ms" ] && [ -n "$frame" ] || { failed=1; continue; }
        r="$(ratio "$ms" "$frame")"
        printf '  %-36s %10s %10s   target <= 1.2  %s\n' "$case" "$ms" "$r" "$(verdict "$r" 1.2)"
    done

    local ours theirs load net
    ours="$(bench_median "$csv" BM_FitScale)"
    # ImageMagick reads its own pixel cache (no decoding); the read alone is timed too.
    theirs="$(median_ms convert "$wallpaper_pictures/photo.mpc" -filter box -resize '1920x1440!' null:)" || failed=1
    load="$(median_ms convert "$wallpaper_pictures/photo.mpc" null:)" || failed=1
    if [ -n "$ours" ] && [ -n "$theirs" ] && [ -n "$load" ]; then
        net="$(awk -v a="$theirs" -v b="$load" 'BEGIN { printf "%.1f", a - b }')"
        echo
        printf '  %-36s %10s\n' "fit 4000 x 3000 to 1920 x 1440" "ms"
        printf '  %-36s %10s\n' "ScaleByArea (one thread)" "$ours"
        printf '  %-36s %10s   (%s ms of it reading the picture; %s thread(s))\n' \
            "convert -filter box -resize" "$theirs" "$load" "$(nproc)"
        r="$(ratio "$ours" "$net")"
        printf '  %-36s %10s   target <= 1 (no slower)  %s\n' "ratio ScaleByArea/ImageMagick" "$r" "$(verdict "$r" 1)"
    fi
    echo
    return "$failed"
}

bench_wallpaper() {
    echo "== Full-screen window and F4 for a 3840 x 2160 JPEG, under Wine on the 1024 x 768 desktop, $runs runs"
    wallpaper_make_pictures || { echo "    ImageMagick could not make the pictures" >&2; return 1; }
    cmake --build "$root/build/win32" --target WallpaperBench >/dev/null || return 1
    local log="$logs/wallpaper.log" folder library
    folder="$(winepath -w "$wallpaper_pictures" | tr -d '\r')"
    library="$(winepath -w "$root/build/program" | tr -d '\r')"
    if ! wine "$bench_bin/WallpaperBench.exe" "$folder" big.jpg "$library" "$runs" 2>&1 | tr -d '\r' >"$log"; then
        echo "    measurement failed (see $log)" >&2
        return 1
    fi
    value() { sed -n "s/^$1=//p" "$log"; }
    [ -n "$(value mirror_apply_floor_ms)" ] || { echo "    no figures (see $log)" >&2; return 1; }
    echo "  picture $(value picture), read by the picture library in $(value load_jpeg_ms) ms (before either)"
    printf '  %-14s %-12s %12s %12s %8s\n' "median ms" "saved" "program" "floor" "ratio"
    local style label ms
    for style in centred fit mirror; do
        case "$style" in
        centred) label="Centred" ;;
        fit) label="Fit 2 Screen" ;;
        mirror) label="Mirror" ;;
        esac
        echo "  $label"
        ms="$(value "${style}_open_ms")"
        printf '    %-24s %12s %12s %8s   target <= 300 ms  %s\n' "open until painted" "$ms" \
            "$(value "${style}_open_floor_ms")" "$(ratio "$ms" "$(value "${style}_open_floor_ms")")" \
            "$(awk -v m="$ms" 'BEGIN { print (m <= 300 ? "PASS" : "FAIL") }')"
        ms="$(value "${style}_apply_ms")"
        printf '    %-24s %12s %12s %8s   target <= 300 ms  %s\n' "F4 ($(value "${style}_saved"))" "$ms" \
            "$(value "${style}_apply_floor_ms")" "$(ratio "$ms" "$(value "${style}_apply_floor_ms")")" \
            "$(awk -v m="$ms" 'BEGIN { print (m <= 300 ? "PASS" : "FAIL") }')"
    done
    echo "  (floors: GetDIBits into a new section and StretchBlt onto a maximized window; a HALFTONE StretchBlt"
    echo "   into a 24-bit section written to a new file, flushed and moved over the old, two values, the system call)"
    wallpaper_f4_peaks || return 1
    echo
}

# The main window's peak working set with a 4000 x 3000 JPEG previewed and applied by F4, one process per style.
wallpaper_f4_peaks() {
    randomizer_make_pictures || return 1
    local folder library index peak_log names=("Centred" "Stretched" "Tiled" "Fit 2 Screen" "Mirror")
    folder="$(winepath -w "$randomizer_pictures" | tr -d '\r')"
    library="$(winepath -w "$root/build/program" | tr -d '\r')"
    echo "  peak working set, a 4000 x 3000 JPEG previewed and applied by F4 (no target):"
    for index in 0 1 2 3 4; do
        peak_log="$logs/wallpaper-peak-$index.log"
        wine "$bench_bin/WallpaperBench.exe" --peak "$folder" photo.jpg "$library" "$index" 2>&1 | tr -d '\r' \
            >"$peak_log" || { echo "    measurement failed (see $peak_log)" >&2; return 1; }
        printf '    %-14s %8s KB   wallpaper file %s bytes\n' "${names[$index]}" \
            "$(sed -n 's/^peak_working_set_kb=//p' "$peak_log")" "$(sed -n 's/^saved_bytes=//p' "$peak_log")"
    done
}

all_benchmarks+=(compose wallpaper)
