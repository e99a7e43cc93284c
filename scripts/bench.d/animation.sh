# shellcheck shell=bash
# shellcheck disable=SC2154 # root, logs, bench_bin and the helpers are set by scripts/bench.sh
# The start-up screen's moving bar, "As Windows Shows It", in the full-screen window under Wine on
# the 1024 x 768 desktop (sourced by scripts/bench.sh):
#   animation  one step (colour table turned, picture repainted) against one plain StretchDIBits of
#              the same 8-bit pixels, colours turned alike, to the same rows of the picture's own
#              window, alternating A B A B, each until flushed to the window; the median of the
#              per-pair ratios. Then the program's share of one processor while the bar moves.
# BENCH_PAIRS sets the number of pairs (default 200), BENCH_SECONDS the time the bar runs (default 10).

animation_folder="$root/build/bench-animation"

bench_animation() {
    local pairs="${BENCH_PAIRS:-200}" seconds="${BENCH_SECONDS:-10}" log="$logs/animation.log" folder
    echo "== Moving bar of a start-up screen, As Windows Shows It, under Wine (32-bit): $pairs alternating pairs"
    cmake --build "$root/build/win32" --target AnimationBench >/dev/null || return 1
    mkdir -p "$animation_folder"
    folder="$(winepath -w "$animation_folder" | tr -d '\r')"
    if ! wine "$bench_bin/AnimationBench.exe" "$folder" "$pairs" "$seconds" 2>&1 | tr -d '\r' >"$log"; then
        echo "    measurement failed (see $log)" >&2
        return 1
    fi
    value() { sed -n "s/^$1=//p" "$log"; }
    if [ -z "$(value ratio_median)" ] || [ -z "$(value cpu_percent)" ]; then
        echo "    no figures (see $log)" >&2
        return 1
    fi
    echo "  window $(value window), picture at $(value picture), entries $(value rotation_start)-255 turning," \
        "rows $(value repainted_rows) of the picture repainted"
    printf '  %-44s %10s\n' "median ms" ""
    printf '  %-44s %10s\n' "one animation step" "$(value step_ms)"
    printf '  %-44s %10s\n' "one plain StretchDIBits of the same rows" "$(value plain_ms)"
    printf '  %-44s %10s   target <= 1.2  %s\n' "ratio, median of the per-pair ratios" "$(value ratio_median)" \
        "$(verdict "$(value ratio_median)" 1.2)"
    printf '  %-44s %10s   (the same work: both drew the rows blacked out)\n' \
        "pixels the floor drew as the step did, %" "$(value same_pixels_percent)"
    printf '  %-44s %10s   (%s steps a second over %s s)\n' "processor share of the running bar, % of one" \
        "$(value cpu_percent)" "$(value steps_per_s)" "$(value animated_s)"
    printf '  %-44s %10s   target < 5  %s\n' "" "" \
        "$(awk -v p="$(value cpu_percent)" 'BEGIN { print (p < 5 ? "PASS" : "FAIL") }')"
    echo
}

all_benchmarks+=(animation)
