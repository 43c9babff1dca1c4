#!/usr/bin/env bash
# Installs the build into a temporary prefix, moves it, and exports the example scene with the installed tool from
# another folder; then packages the tool as a .deb and the module as a .tar.gz and checks what they hold:
# install_test.sh BUILD_DIR SOURCE_DIR BUILT_TOOL
set -euo pipefail
build=$1 source=$2 built_tool=$3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
scene=$source/examples/textured_cube.ma
mkdir -p "$tmp/work" "$tmp/reference"
"$built_tool" export "$scene" -o "$tmp/reference/cube.qax" -q --log-dir "$tmp/reference"

# Exports with an installed tool from a folder of its own and compares with the build tree's export.
check_tool() {
  local root=$1 tool=$2 libdir=$3
  (cd "$tmp/work" && "$tool" export "$scene" -o "$tmp/work/cube.qax" -q && "$tool" inspect cube.qax >/dev/null) ||
    fail "the tool in $root does not export the example"
  cmp -s "$tmp/work/cube.qax" "$tmp/reference/cube.qax" || fail "$tool writes other bytes than the build tree's tool"
  # The plug-in logs beside the module it was loaded from: the installed one, not the build tree's.
  grep -q "Plugin loaded from: $root/$libdir\$" "$root/$libdir/qaxExport.log" || fail "$tool loaded another plug-in"
  if readelf -d "$tool" "$root/$libdir"/*.so | grep -F "$build" >/dev/null; then
    fail "$root still points into the build tree"
  fi
  rm -f "$tmp/work/cube.qax"
}

cmake --install "$build" --prefix "$tmp/first" >/dev/null
mv "$tmp/first" "$tmp/moved"
check_tool "$tmp/moved" "$tmp/moved/bin/qaxexport" lib/qaxexport
# The module description names folders that exist relative to it.
module=$tmp/moved/qaxExport
read -r _ _ name _ path < <(grep '^+' "$module/qaxExport.mod")
[ "$name" = qaxExport ] || fail "the module is named $name"
[ -f "$module/$path/plug-ins/qaxExport.so" ] && [ -f "$module/$path/scripts/qaxExportOptions.mel" ] ||
  fail "the module folder lacks its plug-in or script"
while read -r key folder; do
  [ -d "$module/$path/$folder" ] || fail "the .mod names $key $folder, which does not exist"
done < <(grep -E '^[a-z-]+:' "$module/qaxExport.mod")

cpack --config "$build/CPackConfig.cmake" -B "$tmp/packages" >/dev/null
deb=$(ls "$tmp/packages"/*.deb)
dpkg-deb -x "$deb" "$tmp/deb"
check_tool "$tmp/deb/usr" "$tmp/deb/usr/bin/qaxexport" lib/qaxexport

# Declared dependencies: exactly the packages of the libraries the package's files link, outside the package.
declared=$(dpkg-deb -f "$deb" Depends | tr ',' '\n' | sed -E 's/\(.*\)//; s/[[:space:]]//g' | grep . | sort -u)
linked=$(
  for elf in $(find "$tmp/deb" -type f \( -name '*.so*' -o -perm -u+x \)); do
    # Only what a file names itself (NEEDED), as ldd also lists what those libraries link in turn.
    needed=$(objdump -p "$elf" | awk '$1 == "NEEDED" { print $2 }')
    ldd "$elf" | awk -v needed=" $(echo $needed) " '$2 == "=>" && $3 ~ /^\// && index(needed, " " $1 " ") { print $3 }'
  done | grep -vF "$tmp/deb/" | sort -u | while read -r library; do
    real=$(readlink -f "$library")
    for candidate in "$library" "$real" "${real#/usr}" "/usr$real"; do
      dpkg -S "$candidate" 2>/dev/null && break
    done | head -1 | cut -d: -f1
  done | sort -u
)
[ -n "$linked" ] || fail "no linked libraries found"
[ "$declared" = "$linked" ] || fail "the .deb declares [$(echo $declared)], its files link [$(echo $linked)]"

tar=$(ls "$tmp/packages"/*.tar.gz)
expected=$(printf '%s\n' qaxExport/plug-ins/qaxExport.so qaxExport/qaxExport.mod qaxExport/scripts/qaxExportOptions.mel)
[ "$(tar tzf "$tar" | grep -v '/$' | sort)" = "$expected" ] || fail "the module archive holds $(tar tzf "$tar")"
echo "install, .deb and module archive checked"
