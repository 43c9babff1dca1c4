#!/usr/bin/env bash
# Installs what the build needs from Debian's packages (only what is missing).
# setup.sh --fuzz adds clang and its libFuzzer and sanitizer runtimes for scripts/fuzz.sh.
set -euo pipefail
packages=(cmake g++ ninja-build pkg-config libgtest-dev libgmock-dev libbenchmark-dev libtinygltf-dev nlohmann-json3-dev libcli11-dev libfast-float-dev libassimp-dev assimp-utils)
# cpack's .deb of the tool reads its dependencies with dpkg-shlibdeps.
packages+=(dpkg-dev)
if [ "${1:-}" = "--fuzz" ]; then
  packages+=(clang libclang-rt-14-dev)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
