#!/usr/bin/env bash
# Speed and memory of the whole export against a general converter, on data generated here, in one run:
#   (a) qaxexport export of a 1M-triangle Maya ASCII grid against `assimp export` of the same mesh as OBJ to GLB:
#       wall time ratio, and the export's peak memory against the size of the .qax it writes;
#   (d) the same at 100k triangles: growth from 100k to 1M;
#   (e) qaxexport export of the OBJ against `assimp export` of it;
#   (b) (c) (d) of the plug-in core, from qax_export_speed.
# Builds nothing; not run by CI.
#
#   bench/export_speed.sh [BUILD_DIR] [RUNS]
#
# BUILD_DIR (default: build) must hold tools/qaxexport and bench/qax_export_speed. The fastest of RUNS runs
# (default 3) counts; peak memory is the largest resident size of that command's runs (GNU time's %M).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
runs=${2:-3}
qaxexport=$build/tools/qaxexport
speed=$build/bench/qax_export_speed
[ -x "$qaxexport" ] || { echo "no $qaxexport: build the qaxexport target first" >&2; exit 2; }
[ -x "$speed" ] || { echo "no $speed: build the qax_export_speed target first" >&2; exit 2; }
command -v assimp >/dev/null || { echo "no assimp command: install assimp-utils (scripts/setup.sh)" >&2; exit 2; }
[ -x /usr/bin/time ] || { echo "no /usr/bin/time: install the time package" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A grid of c x r quads (2 c r triangles) with UVs, as the host bakes a plane: points row by row, per point the
# edge along the row then the edge to the next row (border edges hard), faces row by row, one UV per point.
write_ma() {
    awk -v c="$1" -v r="$2" 'BEGIN {
        np = (c + 1) * (r + 1)
        print "//Maya ASCII 2018 scene"; print "requires maya \"2018\";"
        print "currentUnit -l centimeter -a degree -t film;"
        print "createNode transform -n \"grid\";"
        print "createNode mesh -n \"gridShape\" -p \"grid\";"
        print "\tsetAttr \".uvst[0].uvsn\" -type \"string\" \"map1\";"
        printf "\tsetAttr -s %d \".uvst[0].uvsp[0:%d]\" -type \"float2\"", np, np - 1
        for (j = 0; j <= r; j++) for (i = 0; i <= c; i++) printf " %.6g %.6g", i / c, j / r
        print ";"; print "\tsetAttr \".cuvs\" -type \"string\" \"map1\";"
        printf "\tsetAttr -s %d \".vt[0:%d]\"", np, np - 1
        for (j = 0; j <= r; j++) for (i = 0; i <= c; i++)
            printf " %.6g %.6g %.6g", i * 0.01, sin(i * 0.05) * cos(j * 0.03) * 0.2, j * 0.01
        print ";"
        ne = r * (2 * c + 1) + c
        printf "\tsetAttr -s %d \".ed[0:%d]\"", ne, ne - 1
        for (j = 0; j <= r; j++) for (i = 0; i <= c; i++) {
            v = j * (c + 1) + i
            if (i < c) printf " %d %d %d", v, v + 1, (j > 0 && j < r)
            if (j < r) printf " %d %d %d", v, v + c + 1, (i > 0 && i < c)
        }
        print ";"
        nf = c * r
        printf "\tsetAttr -s %d -ch %d \".fc[0:%d]\" -type \"polyFaces\"", nf, 4 * nf, nf - 1
        for (j = 0; j < r; j++) for (i = 0; i < c; i++) {
            v = j * (c + 1) + i
            h = (j < r) ? j * (2 * c + 1) + 2 * i : 0
            right = j * (2 * c + 1) + (i + 1 < c ? 2 * (i + 1) + 1 : 2 * c)
            top = (j + 1 < r) ? (j + 1) * (2 * c + 1) + 2 * i : r * (2 * c + 1) + i
            left = j * (2 * c + 1) + 2 * i + 1
            printf "\n\t\tf 4 %d %d %d %d mu 0 4 %d %d %d %d", h, right, -top - 1, -left - 1, v, v + 1, v + c + 2, v + c + 1
        }
        print ";"
        print "createNode blinn -n \"stone\";"
        print "createNode shadingEngine -n \"stoneSG\";"
        print "connectAttr \"stone.oc\" \"stoneSG.ss\";"
        print "connectAttr \"gridShape.iog\" \"stoneSG.dsm\" -na;"
    }' > "$3"
}

# The same mesh as an OBJ with a material, as exporters write it.
write_obj() {
    awk -v c="$1" -v r="$2" 'BEGIN {
        print "mtllib grid.mtl"; print "o grid"
        for (j = 0; j <= r; j++) for (i = 0; i <= c; i++)
            printf "v %.6g %.6g %.6g\nvt %.6g %.6g\n", i * 0.01, sin(i * 0.05) * cos(j * 0.03) * 0.2, j * 0.01, i / c, j / r
        print "usemtl stone"
        for (j = 0; j < r; j++) for (i = 0; i < c; i++) {
            a = j * (c + 1) + i + 1; b = a + 1; d = a + c + 1; e = d + 1
            printf "f %d/%d %d/%d %d/%d %d/%d\n", a, a, b, b, e, e, d, d
        }
    }' > "$3"
    printf 'newmtl stone\nKd 0.6 0.6 0.55\n' > "$(dirname "$3")/grid.mtl"
}

# Fastest wall time (s) and largest peak resident size (kB) of RUNS runs of a command: "seconds kilobytes".
measure() {
    local best="" peak=0 line t m
    for ((i = 1; i <= runs; i++)); do
        /usr/bin/time -f "%e %M" -o "$work/time" "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; exit 1; }
        line=$(tail -1 "$work/time")
        t=${line% *}; m=${line#* }
        if [ -z "$best" ] || awk -v a="$t" -v b="$best" 'BEGIN { exit !(a < b) }'; then best=$t; fi
        [ "$m" -gt "$peak" ] && peak=$m
    done
    echo "$best $peak"
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", (b > 0 ? a / b : 0) }'; }
verdict() { awk -v x="$1" -v limit="$2" 'BEGIN { print (x <= limit ? "ok" : "OVER") }'; }

declare -A seconds
for size in 100k 1M; do
    if [ $size = 1M ]; then c=707 r=707; else c=224 r=224; fi
    mkdir -p "$work/$size"
    write_ma $c $r "$work/$size/grid.ma"
    write_obj $c $r "$work/$size/grid.obj"
    echo "$size: $((2 * c * r)) triangles, .ma $(du -h "$work/$size/grid.ma" | cut -f1), .obj $(du -h "$work/$size/grid.obj" | cut -f1)"
    read -r ma_s ma_kb < <(measure "$qaxexport" export "$work/$size/grid.ma" -o "$work/$size/ma.qax" --log-dir "$work/$size" -q --force)
    read -r obj_s obj_kb < <(measure "$qaxexport" export "$work/$size/grid.obj" -o "$work/$size/obj.qax" --log-dir "$work/$size" -q --force)
    read -r lib_s lib_kb < <(measure assimp export "$work/$size/grid.obj" "$work/$size/grid.glb" -fglb2)
    qax_bytes=$(stat -c %s "$work/$size/ma.qax")
    seconds[$size]=$ma_s
    printf '  qaxexport .ma -> .qax   %7.3f s  peak %6d MB  (.qax %d MB)\n' "$ma_s" $((ma_kb / 1024)) $((qax_bytes / 1048576))
    printf '  qaxexport .obj -> .qax  %7.3f s  peak %6d MB\n' "$obj_s" $((obj_kb / 1024))
    printf '  assimp .obj -> .glb     %7.3f s  peak %6d MB\n' "$lib_s" $((lib_kb / 1024))
    if [ $size = 1M ]; then
        a=$(ratio "$ma_s" "$lib_s"); m=$(ratio $((ma_kb * 1024)) "$qax_bytes"); e=$(ratio "$obj_s" "$lib_s")
        echo "(a) time .ma export / assimp:          $a  (limit 0.4: $(verdict "$a" 0.4))"
        echo "(a) peak memory / .qax size:           $m  (limit 2.5: $(verdict "$m" 2.5))"
        echo "(e) time .obj export / assimp:         $e  (limit 1.2: $(verdict "$e" 1.2))"
    fi
done
d=$(ratio "${seconds[1M]}" "${seconds[100k]}")
echo "(d) .ma export 1M / 100k:               $d  (limit 11: $(verdict "$d" 11))"
echo
"$speed" "$work" "$runs"
