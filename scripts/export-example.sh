#!/usr/bin/env bash
# Sets up, builds the command-line exporter and the plug-in, exports examples/textured_cube.ma to
# build/textured_cube.qax (the export log beside it), inspects the result and writes a glTF copy to
# look at in any glTF viewer: export-example.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
cmake -S "$root" -B "$root/build" -G Ninja >/dev/null
cmake --build "$root/build" --target qaxexport qaxExport -j "$(nproc)"
out="$root/build"
"$out/tools/qaxexport" export "$root/examples/textured_cube.ma" -o "$out/textured_cube.qax" --log-dir "$out"
"$out/tools/qaxexport" inspect "$out/textured_cube.qax"
# The glTF refers to the texture by the path the scene gives; copy it beside the glTF.
mkdir -p "$out/sourceimages"
cp "$root/examples/sourceimages/checker.png" "$out/sourceimages/"
"$out/tools/qaxexport" to-gltf "$out/textured_cube.qax" "$out/textured_cube.gltf"
