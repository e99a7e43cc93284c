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

# Runs StartupProbe through Wine, alternating a program with the minimal one-window program:
# probe <log name> <exe> <window title> [args for the program...]
# Shows its output, keeps it in build/bench-logs/<log name>.log and leaves the medians and the
# median of the per-pair ratios in $probe_median, $probe_reference and $probe_ratio.
probe() {
    local log="$logs/$1.log" exe title minimal
    exe="$(winepath -w "$2" | tr -d '\r')"
    minimal="$(winepath -w "$bench_bin/MinimalWindow.exe" | tr -d '\r')"
    title="$3"
    shift 3
    probe_median="" probe_reference="" probe_ratio=""
    if ! wine "$bench_bin/StartupProbe.exe" "--against=$minimal|Minimal Window" "$exe" "$title" "$runs" "$@" 2>&1 |
        tr -d '\r' | tee "$log" | sed 's/^/    /'; then
        echo "    measurement failed (see $log)" >&2
        return 1
    fi
    probe_median="$(sed -n 's/^median_ms=//p' "$log")"
    probe_reference="$(sed -n 's/^reference_median_ms=//p' "$log")"
    probe_ratio="$(sed -n 's/^ratio_median=//p' "$log")"
    [ -n "$probe_median" ] && [ -n "$probe_ratio" ]
}

# Start-up time: process start until the main window is shown and idle, against a minimal Win32
# program started alternately with it.
bench_startup() {
    echo "== Start-up time (process start until the main window is shown and idle), $runs pairs each"
    rm -rf "$scratch"
    mkdir -p "$scratch"
    cp "$program_exe" "$scratch/"

    echo "  QZSelect.exe, alternating with MinimalWindow.exe:"
    probe startup-program "$scratch/QZSelect.exe" "$program_title" || return 1
    local program_ms="$probe_median" minimal_ms="$probe_reference" program_ratio="$probe_ratio"
    echo "  SameWindows.exe (the windows the program made at its start, by a bare Win32 program), alternating:"
    probe startup-same "$bench_bin/SameWindows.exe" "Minimal Window" || return 1
    local same_ms="$probe_median" same_ratio="$probe_ratio"
    echo
    printf '  %-32s %10s\n' "start-up, median" "ms"
    printf '  %-32s %10s\n' "QZSelect.exe" "$program_ms"
    printf '  %-32s %10s\n' "MinimalWindow.exe" "$minimal_ms"
    printf '  %-32s %10s\n' "SameWindows.exe" "$same_ms"
    printf '  %-32s %10s   median of the per-pair ratios (informative)\n' "ratio SameWindows/minimal" "$same_ratio"
    printf '  %-32s %10s   median of the per-pair ratios; target <= 1.5   %s\n' "ratio QZSelect/minimal" \
        "$program_ratio" "$(verdict "$program_ratio" 1.5)"
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
