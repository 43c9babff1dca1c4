#!/usr/bin/env bash
# Times the command-line export of a generated 1,000,000-triangle OBJ against the import library's own command
# converting the same file to a binary format, on this machine in this run. Not run by CI.
#
#   bench/interchange_export_timing.sh [BUILD_DIR] [RUNS]
#
# BUILD_DIR (default: build) must hold tools/qaxexport (cmake --build BUILD_DIR --target qaxexport). The
# library's command is `assimp` from assimp-utils. With hyperfine installed the runs go through it; otherwise
# each run is timed with date +%s.%N from the command's start to its end.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
runs=${2:-3}
qaxexport=$build/tools/qaxexport
[ -x "$qaxexport" ] || { echo "no $qaxexport: build the qaxexport target first" >&2; exit 2; }
command -v assimp >/dev/null || { echo "no assimp command: install assimp-utils (scripts/setup.sh)" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A 500 x 1000 grid of quads split into 1,000,000 triangles, each corner with a position, a texture coordinate
# and a normal, as exporters write OBJ files.
columns=500 rows=1000
echo "Generating $work/grid.obj ..."
awk -v c=$columns -v r=$rows 'BEGIN {
    print "mtllib grid.mtl"; print "o grid"; print "usemtl stone"
    for (y = 0; y <= r; y++) for (x = 0; x <= c; x++) {
        printf "v %.4f %.4f %.4f\n", x * 0.01, sin(x * 0.05) * cos(y * 0.03) * 0.2, y * 0.01
        printf "vt %.5f %.5f\n", x / c, y / r
    }
    print "vn 0 1 0"
    for (y = 0; y < r; y++) for (x = 0; x < c; x++) {
        a = y * (c + 1) + x + 1; b = a + 1; d = a + c + 1; e = d + 1
        printf "f %d/%d/1 %d/%d/1 %d/%d/1\n", a, a, d, d, b, b
        printf "f %d/%d/1 %d/%d/1 %d/%d/1\n", b, b, d, d, e, e
    }
}' > "$work/grid.obj"
printf 'newmtl stone\nKd 0.6 0.6 0.55\nmap_Kd stone.png\n' > "$work/grid.mtl"
echo "  $(grep -c '^f ' "$work/grid.obj") triangles, $(du -h "$work/grid.obj" | cut -f1)"

ours=("$qaxexport" export "$work/grid.obj" -o "$work/grid.qax" --log-dir "$work" -q)
library_bin=(assimp export "$work/grid.obj" "$work/grid.assbin")
library_glb=(assimp export "$work/grid.obj" "$work/grid.glb" -fglb2)

quote() { printf '%q ' "$@"; }

if command -v hyperfine >/dev/null; then
    hyperfine --warmup 1 --runs "$runs" \
        -n "qaxexport export (OBJ -> .qax)" "$(quote "${ours[@]}")" \
        -n "assimp export (OBJ -> assbin)" "$(quote "${library_bin[@]}")" \
        -n "assimp export (OBJ -> glb)" "$(quote "${library_glb[@]}")"
else
    time_runs() {
        local label=$1; shift
        local times=""
        for ((i = 1; i <= runs; i++)); do
            local start end
            start=$(date +%s.%N)
            "$@" >/dev/null 2>&1
            end=$(date +%s.%N)
            times="$times $start $end"
        done
        echo "$times" | awk -v label="$label" -v runs="$runs" '{
            for (i = 1; i < NF; i += 2) { t = $(i + 1) - $i; total += t; if (best == "" || t < best) best = t }
            printf "%-34s mean %7.3f s   best %7.3f s   (%d runs)\n", label, total / runs, best, runs }'
    }
    time_runs "qaxexport export (OBJ -> .qax)" "${ours[@]}"
    time_runs "assimp export (OBJ -> assbin)" "${library_bin[@]}"
    time_runs "assimp export (OBJ -> glb)" "${library_glb[@]}"
fi

echo
"${ours[@]}"
"$qaxexport" inspect "$work/grid.qax" | sed -n 1p
ls -l "$work"/grid.qax "$work"/grid.assbin "$work"/grid.glb | awk '{print "  " $5 " bytes  " $9}'
