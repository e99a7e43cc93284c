# shellcheck shell=bash
# shellcheck disable=SC2154 # root, runs, logs, bench_bin, program_exe and program_title are set by scripts/bench.sh
# The browser's file list reading a folder of 20,000 files, and a change of folder of the directory
# list with the file list linked to it, against a bare FindFirstFileA loop, in turn with it: the
# ratios are the medians of the ratios within each pair (three pairs per run of BENCH_RUNS).
bench_filelist() {
    local pairs=$((runs * 3))
    echo "== File list of a folder with 20,000 files, $pairs pairs each (bare loop, then the list)"
    cmake --build "$root/build/win32" --target FileListBench >/dev/null || return 1
    local folder log="$logs/filelist.log"
    folder="$(winepath -w "$root/build/bench-files" | tr -d '\r')"
    wine "$bench_bin/FileListBench.exe" "$folder" 20000 "$pairs" 2>&1 | tr -d '\r' | tee "$log" | sed 's/^/    /'
    local list_ratio change_ratio
    list_ratio="$(sed -n 's/^ratio=//p' "$log")"
    change_ratio="$(sed -n 's/^change_ratio=//p' "$log")"
    [ -n "$list_ratio" ] && [ -n "$change_ratio" ] || return 1
    echo "  target: file list at most 2x the bare loop   $(verdict "$list_ratio" 2)"
    echo "  target: change of folder (one read for both lists) at most 1.2x the bare loop   $(verdict "$change_ratio" 1.2)"
    echo
    bench_startup_in_full_folder "$(sed -n 's/^bare_ms=//p' "$log")"
}

# The program started with the browser in that folder, in turn with the program started with the
# browser in an empty folder (the same program file, in an empty folder of its own; the browser
# opens in the current folder when no remembered folder applies). Each run is ended at once, so
# no run remembers its folder for the next. What the full folder adds is set against the bare loop.
bench_startup_in_full_folder() {
    local bare_ms="$1" full="$root/build/bench-files" empty="$root/build/bench-program-empty"
    local log="$logs/startup-20000.log"
    echo "== Start-up with the browser in a folder of 20,000 files, in turn with an empty folder, $runs pairs"
    rm -rf "$empty"
    mkdir -p "$empty"
    cp "$program_exe" "$root/build/program/NViewLib.dll" "$empty/"
    local settings='HKCU\Software\Orvandel\Vistrel\Vistrel Selector' value
    for value in StartDir WaitDir ShutDir WallDir; do
        wine reg delete "$settings" /v "$value" /f >/dev/null 2>&1 </dev/null || true
    done
    wine reg add "$settings" /v "Selected Screen Button" /d 10 /f >/dev/null 2>&1 </dev/null
    local program
    program="$(winepath -w "$empty/QZSelect.exe" | tr -d '\r')"
    if ! wine "$bench_bin/StartupProbe.exe" --terminate "--against=$program|$program_title" \
        "--workdir=$(winepath -w "$full" | tr -d '\r')" "$program" "$program_title" "$runs" 2>&1 |
        tr -d '\r' >"$log"; then
        echo "    measurement failed (see $log)" >&2
        return 1
    fi
    # Each pair's difference; their median.
    local extra_ms
    extra_ms="$(sed -n 's/^run [0-9]*: \([0-9.]*\) ms, reference \([0-9.]*\) ms.*/\1 \2/p' "$log" |
        awk '{ print $1 - $2 }' | sort -g |
        awk '{ v[NR] = $1 } END { if (NR) printf "%.1f", NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }')"
    [ -n "$extra_ms" ] && [ -n "$bare_ms" ] || return 1
    printf '  %-46s %10s\n' "start-up, browser in the full folder, median" "$(sed -n 's/^median_ms=//p' "$log") ms"
    printf '  %-46s %10s\n' "start-up, browser in an empty folder, median" "$(sed -n 's/^reference_median_ms=//p' "$log") ms"
    printf '  %-46s %10s\n' "what the full folder adds, median of the pairs" "$extra_ms ms"
    printf '  %-46s %10s\n' "one FindFirstFileA pass (file list benchmark)" "$bare_ms ms"
    local added
    added="$(ratio "$extra_ms" "$bare_ms")"
    echo "  target: the folder adds at most 1.2x one pass: ratio $added   $(verdict "$added" 1.2)"
    echo
}
