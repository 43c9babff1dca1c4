#!/usr/bin/env bash
# Configures and builds into a build folder: build.sh [--sanitize] (build/ or build-sanitize/).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=build
flags=()
if [ "${1:-}" = "--sanitize" ]; then
  dir=build-sanitize
  flags+=(-DQAX_SANITIZE=ON -DQAX_BUILD_BENCHMARKS=OFF)
fi
cmake -S "$root" -B "$root/$dir" -G Ninja "${flags[@]}" >/dev/null
cmake --build "$root/$dir" -j "$(nproc)"
