# shellcheck shell=bash
# shellcheck disable=SC2154 # root, runs, logs and bench_bin are set by scripts/bench.sh
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
}
all_benchmarks+=(filelist)
