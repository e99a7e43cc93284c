#!/usr/bin/env bash
# Fuzzes every fuzz target of the host tree (executables named *_fuzz) for a while each:
#   fuzz.sh [seconds per target, default 60] [target...]
# Each target starts from its seed folders (table below) and keeps what it finds in
# build/fuzz-corpus/<target>/; crashing inputs land in build/fuzz-artifacts/<target>/. Prints per
# target the runs, the time and the crashes found; fails when a target crashed.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
host="$root/build/host"
bmpsuite="$root/tests/pictures/bmpsuite"
seconds="${1:-60}"
shift || true

# Seed folders per target; a target missing here starts from its kept corpus alone.
declare -A seeds=(
    [bmp_fuzz]="$bmpsuite/g $bmpsuite/q $bmpsuite/b $bmpsuite/x"
    [pcx_fuzz]="$root/tests/nviewlib/data"
    [jpeg_fuzz]="$root/tests/nviewlib/data $root/tests/nviewlib/data/fuzz-regressions"
    [png_fuzz]="$root/tests/nviewlib/data $root/tests/nviewlib/data/fuzz-regressions"
    [gif_fuzz]="$root/tests/nviewlib/data"
    [tga_fuzz]="$root/tests/nviewlib/data"
    [wallpaper_fuzz]="$root/tests/nviewlib/data $root/tests/nviewlib/data/fuzz-regressions"
    [listfile_fuzz]="$root/tests/lists/data"
)

[ -f "$host/CMakeCache.txt" ] || "$root/scripts/build.sh" host >/dev/null
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    mapfile -t targets < <(cmake --build "$host" --target help | sed -n 's/^\.\.\. \([A-Za-z0-9_]*_fuzz\)$/\1/p' | sort)
fi
[ ${#targets[@]} -gt 0 ] || { echo "no fuzz targets in $host" >&2; exit 1; }
cmake --build "$host" -j "$(nproc)" --target "${targets[@]}" >/dev/null

failed=0
summary=()
for target in "${targets[@]}"; do
    corpus="$root/build/fuzz-corpus/$target"
    artifacts="$root/build/fuzz-artifacts/$target"
    log="$root/build/fuzz-logs/$target.log"
    mkdir -p "$corpus" "$artifacts" "$(dirname "$log")"
    dirs=("$corpus")
    for dir in ${seeds[$target]:-}; do
        [ -d "$dir" ] && dirs+=("$dir")
    done
    before="$(find "$artifacts" -type f | wc -l)"
    echo "== $target: $seconds s, seeds: ${dirs[*]:1}"
    status=0
    "$host/$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$artifacts/" "${dirs[@]}" >"$log" 2>&1 || status=$?
    runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)"
    took="$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$log" | tail -1)"
    crashes=$(($(find "$artifacts" -type f | wc -l) - before))
    if [ "$status" -ne 0 ] && [ "$crashes" -eq 0 ]; then crashes=1; fi
    [ "$crashes" -eq 0 ] || failed=1
    summary+=("$(printf '  %-16s %12s %8s %8s' "$target" "${runs:-?}" "${took:-$seconds}" "$crashes")")
    [ "$crashes" -eq 0 ] || echo "   crashed: see $log and $artifacts/"
done

echo
printf '  %-16s %12s %8s %8s\n' "target" "runs" "seconds" "crashes"
printf '%s\n' "${summary[@]}"
exit "$failed"
