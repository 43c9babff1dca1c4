#!/usr/bin/env bash
# Times a batch export of 200 copies of the example scenes with -j 2 against 200 separate qaxexport invocations
# run one after another, on this machine in this run. Not run by CI.
#
#   bench/batch_export_timing.sh [BUILD_DIR] [JOBS]
#
# BUILD_DIR (default: build) must hold tools/qaxexport (cmake --build BUILD_DIR --target qaxexport). JOBS
# (default 2) is the batch's -j. Prints both wall-clock times and their ratio (batch / sequence; the batch should
# not be slower).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
jobs=${2:-2}
qaxexport=$build/tools/qaxexport
[ -x "$qaxexport" ] || { echo "no $qaxexport: build the qaxexport target first" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/scenes" "$work/batch" "$work/sequence" "$work/logs"
cp -r "$root/examples/sourceimages" "$work/scenes/"
examples=("$root"/examples/*.ma)
for i in $(seq 0 199); do
    example=${examples[$((i % ${#examples[@]}))]}
    cp "$example" "$work/scenes/$(printf %03d "$i")_$(basename "$example")"
done

now() { date +%s.%N; }

start=$(now)
status=0
"$qaxexport" export "$work/scenes" -o "$work/batch" -j "$jobs" -q --log-dir "$work/logs" \
    --report "$work/batch.json" >/dev/null || status=$?
batch=$(echo "$(now) - $start" | bc)
[ "$status" -le 1 ] || { echo "the batch failed to start (status $status)" >&2; exit 1; }

start=$(now)
for scene in "$work"/scenes/*.ma; do
    name=$(basename "$scene" .ma)
    "$qaxexport" export "$scene" -o "$work/sequence/$name.qax" -q --log-dir "$work/logs" >/dev/null || true
done
sequence=$(echo "$(now) - $start" | bc)

exported=$(grep -c '"status":"exported"' "$work/batch.json" || true)
written=$(find "$work/sequence" -name '*.qax' | wc -l)
printf 'batch of 200 scenes with -j %s: %.2f s (%s exported)\n' "$jobs" "$batch" "$exported"
printf '200 invocations in sequence:   %.2f s (%s written)\n' "$sequence" "$written"
printf 'batch / sequence: %.2f\n' "$(echo "$batch / $sequence" | bc -l)"
