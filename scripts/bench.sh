#!/usr/bin/env bash
# shellcheck disable=SC2317 # the benchmark functions are called by name
# Benchmarks of the program under Wine, in the private prefix of scripts/wine-env.sh.
#   bench.sh            builds the Win32 tree and runs every benchmark
#   bench.sh startup    runs only the named benchmarks
# BENCH_RUNS sets the number of timed runs per measurement (default 7).
# Each benchmark is a function bench_<name> that prints its own section; add new ones to
# all_benchmarks. The figures are informative: the script fails only when a measurement failed.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

runs="${BENCH_RUNS:-7}"
program_exe="$root/build/program/QZSelect.exe"
program_title="Vistrel Selector 2.92"
bench_bin="$root/build/win32/bench"
scratch="$root/build/bench-program" # fresh program folder: a benchmark never touches a user's folder
logs="$root/build/bench-logs"
all_benchmarks=(startup)
# Helpers for the benchmarks -------------------------------------------------------------------

# Builds a Google Benchmark program of the host tree and writes its aggregates as CSV:
# host_benchmark <target> <csv> [more flags for the program...]
host_benchmark() {
    local target="$1" csv="$2"
    shift 2
    [ -f "$root/build/host/CMakeCache.txt" ] || "$root/scripts/build.sh" host >/dev/null || return 1
    cmake --build "$root/build/host" --target "$target" >/dev/null || return 1
    mkdir -p "$(dirname "$csv")"
    "$root/build/host/bench/$target" --benchmark_repetitions="$runs" --benchmark_report_aggregates_only=true \
        --benchmark_format=csv "$@" >"$csv" 2>/dev/null
}

# The median real time in ms of one benchmark in such a CSV ("name",iterations,real_time,...):
# bench_median <csv> <benchmark name>
bench_median() {
    awk -F, -v name="\"$2/real_time_median\"" '$1 == name { printf "%.2f", $3 }' "$1"
}

# a / b with two decimals: ratio <a> <b>
ratio() {
    awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'
}

# PASS when the ratio is at most the target, else FAIL: verdict <ratio> <target>
verdict() {
    awk -v r="$1" -v t="$2" 'BEGIN { print (r <= t ? "PASS" : "FAIL") }'
}

# Further benchmarks live in scripts/bench.d/*.sh: each defines bench_<name> and appends <name>.
for extra in "$root"/scripts/bench.d/*.sh; do
    [ -f "$extra" ] && source "$extra"
done

# Start-up time: process start until the main window is shown and idle, in one alternating run
# with two floors: the minimal one-window program, and SameWindows, a bare Win32 program that makes
# the same system windows as the program at its start.
bench_startup() {
    echo "== Start-up time (process start until the main window is shown and idle), $runs rounds"
    rm -rf "$scratch"
    mkdir -p "$scratch"
    cp "$program_exe" "$scratch/"
    local log="$logs/startup-program.log" exe minimal same
    exe="$(winepath -w "$scratch/QZSelect.exe" | tr -d '\r')"
    minimal="$(winepath -w "$bench_bin/MinimalWindow.exe" | tr -d '\r')"
    same="$(winepath -w "$bench_bin/SameWindows.exe" | tr -d '\r')"
    echo "  QZSelect.exe, MinimalWindow.exe and SameWindows.exe in turn:"
    if ! wine "$bench_bin/StartupProbe.exe" "--against=$minimal|Minimal Window" "--against=$same|Same Windows" \
        "$exe" "$program_title" "$runs" 2>&1 | tr -d '\r' | tee "$log" | sed 's/^/    /'; then
        echo "    measurement failed (see $log)" >&2
        return 1
    fi
    local program_ms minimal_ms same_ms minimal_ratio same_ratio
    program_ms="$(sed -n 's/^median_ms=//p' "$log")"
    minimal_ms="$(sed -n 's/^reference_median_ms=//p' "$log")"
    same_ms="$(sed -n 's/^reference2_median_ms=//p' "$log")"
    minimal_ratio="$(sed -n 's/^ratio_median=//p' "$log")"
    same_ratio="$(sed -n 's/^ratio2_median=//p' "$log")"
    [ -n "$minimal_ratio" ] && [ -n "$same_ratio" ] || return 1
    echo
    printf '  %-32s %10s\n' "start-up, median" "ms"
    printf '  %-32s %10s\n' "QZSelect.exe" "$program_ms"
    printf '  %-32s %10s\n' "MinimalWindow.exe" "$minimal_ms"
    printf '  %-32s %10s\n' "SameWindows.exe" "$same_ms"
    printf '  %-32s %10s   median of the per-round ratios (informative)\n' "ratio QZSelect/minimal" "$minimal_ratio"
    printf '  %-32s %10s   median of the per-round ratios; target <= 1.1   %s\n' "ratio QZSelect/SameWindows" \
        "$same_ratio" "$(verdict "$same_ratio" 1.1)"
    echo
}

benchmarks=("$@")
[ ${#benchmarks[@]} -eq 0 ] && benchmarks=("${all_benchmarks[@]}")
for name in "${benchmarks[@]}"; do
    if ! declare -F "bench_$name" >/dev/null; then
        echo "unknown benchmark: $name (known: ${all_benchmarks[*]})" >&2
        exit 2
    fi
done

scripts/build.sh win32
if ! cmake --build build/win32 --target MinimalWindow SameWindows StartupProbe >/dev/null; then
    echo "The benchmark programs are missing from the Win32 tree: it must include cmake/Bench.cmake." >&2
    exit 1
fi
[ -f "$program_exe" ] || { echo "The program was not built: $program_exe" >&2; exit 1; }
mkdir -p "$logs"

source scripts/wine-env.sh
trap wine_env_stop EXIT
wine_env_start

failed=0
for name in "${benchmarks[@]}"; do
    "bench_$name" || { echo "benchmark $name: measurement failed" >&2; failed=1; }
done
exit "$failed"
