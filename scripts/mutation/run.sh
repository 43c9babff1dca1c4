#!/usr/bin/env bash
# How many faults the test suite catches: builds a copy of the committed sources once, then for each mutation of
# the list (file | text as it stands | text it becomes) changes that text in the copy, rebuilds, runs the whole
# suite up to its first failure and puts the text back. Prints KILLED, SURVIVED or NO BUILD per mutation and the
# share of the mutations that build which the suite kills. Not run by CI.
#
#   scripts/mutation/run.sh [LIST] [WORK_DIR]
#
# LIST defaults to scripts/mutation/mutations.txt; WORK_DIR (default: a new temporary folder) holds the copy and
# its build. The scene corpus beside the repository (../shared), when present, is linked beside the copy so that
# the corpus tests run too. Uncommitted changes are not part of the copy.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
list=$(cd "$(dirname "${1:-$root/scripts/mutation/mutations.txt}")" && pwd)/$(basename "${1:-mutations.txt}")
work=${2:-$(mktemp -d)}
mkdir -p "$work/src"
git -C "$root" archive HEAD | tar -x -C "$work/src"
[ -d "$root/../shared" ] && ln -sfn "$(cd "$root/../shared" && pwd)" "$work/shared"
build=$work/build
"$root/scripts/setup.sh"
cmake -S "$work/src" -B "$build" -G Ninja -DQAX_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" >/dev/null
ctest --test-dir "$build" -j "$(nproc)" >/dev/null || { echo "the suite fails before any mutation" >&2; exit 1; }

killed=0 survived=0 stillborn=0 number=0
while IFS= read -r line; do
    case "$line" in ''|'#'*) continue ;; esac
    number=$((number + 1))
    file=$(echo "$line" | awk -F' [|] ' '{print $1}')
    from=$(echo "$line" | awk -F' [|] ' '{print $2}')
    to=$(echo "$line" | awk -F' [|] ' '{print $3}')
    target=$work/src/$file
    cp "$target" "$work/original"
    if ! FROM="$from" TO="$to" python3 - "$target" <<'PY'
import os, sys
path = sys.argv[1]
text = open(path).read()
if text.count(os.environ["FROM"]) != 1:
    sys.exit(1)
open(path, "w").write(text.replace(os.environ["FROM"], os.environ["TO"]))
PY
    then
        echo "$number NOT FOUND ONCE  $file: $from"
        continue
    fi
    if ! cmake --build "$build" -j "$(nproc)" >/dev/null 2>&1; then
        result="NO BUILD"
        stillborn=$((stillborn + 1))
    elif ctest --test-dir "$build" -j "$(nproc)" --stop-on-failure --timeout 300 >/dev/null 2>&1; then
        result=SURVIVED
        survived=$((survived + 1))
    else
        result=KILLED
        killed=$((killed + 1))
    fi
    echo "$number $result  $file: $from -> $to"
    cp "$work/original" "$target"
    touch "$target"
done < "$list"
cmake --build "$build" -j "$(nproc)" >/dev/null 2>&1 || true
total=$((killed + survived))
echo "killed $killed of $total mutations that build ($stillborn did not build): $(awk -v k=$killed -v t=$total 'BEGIN { printf "%.1f", t ? 100 * k / t : 0 }') %"
