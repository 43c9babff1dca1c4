#!/usr/bin/env bash
# Sets up, builds and runs every test: test.sh [--sanitize]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$@"
dir=build
[ "${1:-}" = "--sanitize" ] && dir=build-sanitize
# Any sanitizer report ends the program with a failure.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$root/$dir" -j "$(nproc)" --output-on-failure
