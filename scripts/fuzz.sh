#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and fuzzes one of them, or each in turn, for a given time:
#   fuzz.sh TARGET SECONDS [libFuzzer flags...]
# TARGET is qax_reader, export_options, maya_ascii, scene_export (or fuzz_<name>), or all.
# Each target grows a working corpus in build-fuzz/corpus/<target>, started from the committed seeds in
# fuzz/seeds/<target>; a finding is written to build-fuzz/findings/<target>/ and fails the script.
# Environment: QAX_FUZZ_BUILD (build folder, default build-fuzz), QAX_FUZZ_JOBS (build jobs, default 2),
# QAX_FUZZ_SKIP_SETUP=1 (do not check the packages).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ $# -lt 2 ]; then
  echo "usage: $0 qax_reader|export_options|maya_ascii|scene_export|all SECONDS [libFuzzer flags...]" >&2
  exit 2
fi
target=$1
seconds=$2
shift 2
all_targets=(qax_reader export_options maya_ascii scene_export)
if [ "$target" = all ]; then
  targets=("${all_targets[@]}")
else
  targets=("${target#fuzz_}")
  case " ${all_targets[*]} " in
    *" ${targets[0]} "*) ;;
    *) echo "unknown fuzz target: $target" >&2; exit 2 ;;
  esac
fi

[ "${QAX_FUZZ_SKIP_SETUP:-}" = 1 ] || "$root/scripts/setup.sh" --fuzz
build=${QAX_FUZZ_BUILD:-$root/build-fuzz}
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DQAX_FUZZ=ON -DQAX_BUILD_TESTS=OFF \
  -DQAX_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$build" -j "${QAX_FUZZ_JOBS:-2}" --target "${targets[@]/#/fuzz_}"

# A leak, a sanitizer report or a broken property ends the run; the export's console echo is silenced
# (-close_fd_mask), the targets report their own findings on the fuzzer's console.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:allocator_may_return_null=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
status=0
for name in "${targets[@]}"; do
  corpus=$build/corpus/$name
  findings=$build/findings/$name
  mkdir -p "$corpus" "$findings"
  flags=(-max_total_time="$seconds" -timeout=20 -rss_limit_mb=3072 -close_fd_mask=3 -print_final_stats=1
         -artifact_prefix="$findings/")
  [ -f "$root/fuzz/$name.dict" ] && flags+=(-dict="$root/fuzz/$name.dict")
  echo "== fuzz_$name for $seconds s"
  if ! "$build/fuzz/fuzz_$name" "${flags[@]}" "$@" "$corpus" "$root/fuzz/seeds/$name"; then
    echo "== fuzz_$name: finding in $findings" >&2
    status=1
  fi
done
exit $status
