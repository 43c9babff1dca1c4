#!/usr/bin/env bash
# Sets up, builds the command-line exporter and the plug-in, exports examples/textured_cube.ma to
# build/textured_cube.qax (the export log beside it), inspects the result and writes a glTF copy to
# look at in any glTF viewer: export-example.sh   (QAX_BUILD_DIR names another build folder)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${QAX_BUILD_DIR:-$root/build}
"$root/scripts/setup.sh"
cmake -S "$root" -B "$out" -G Ninja >/dev/null
cmake --build "$out" --target qaxexport qaxExport -j "$(nproc)"
"$out/tools/qaxexport" export "$root/examples/textured_cube.ma" -o "$out/textured_cube.qax" --log-dir "$out"
"$out/tools/qaxexport" inspect "$out/textured_cube.qax"
# The glTF refers to the texture by the name in the export; put the image beside it under that name.
cp "$root/examples/sourceimages/checker.png" "$out/checker.png"
"$out/tools/qaxexport" to-gltf "$out/textured_cube.qax" "$out/textured_cube.gltf"
