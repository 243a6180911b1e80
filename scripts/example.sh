#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole road on the bundled
# example: the compiler turns examples/bqueue.ptu into a harness, the harness
# is built with the code under test (examples/bqueue.cpp) against the staged
# runtime header, and run; its verdicts and results file are shown.
#
# Usage: scripts/example.sh [build-dir]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${1:-build}
./scripts/deps.sh
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target zentaprepro zenta_target zenta_translations
stage="$root/$build/stage"
export QUARTODIR="$stage" ZNTTGT="$stage"
out="$root/$build/example"
rm -rf "$out"
mkdir -p "$out"
cd "$out"

echo "== compiling the test script examples/bqueue.ptu"
status=0
"$stage/bin/zentaprepro" "$root/examples/bqueue.ptu" "$out/bqueue_test.cc" "$out/" \
  -INCL="$root/examples" || status=$?
echo "zentaprepro exit status: $status"
if [ "$status" -ne 0 ] && [ "$status" -ne 3 ]; then
  echo "the compiler reported errors; see $out/bqueue.lis" >&2
  exit "$status"
fi

echo "== building the harness with the code under test"
"${CXX:-g++}" -std=c++17 -Wall -Wextra -I "$root/examples" -I "$out" \
  "$out/bqueue_test.cc" "$root/examples/bqueue.cpp" -o "$out/bqueue_test"

echo "== running the harness"
run=0
"$out/bqueue_test" || run=$?
echo "harness exit status: $run"
echo "== verdicts of the variable checks (results file joined with the test description)"
# The description's T lines name the tests and its V lines the variables;
# each CHECK record of the results file carries the number of its V line.
awk 'FNR == NR {
       if ($0 ~ /^T[0-9]+ /) test = substr($0, index($0, " ") + 1)
       else if ($0 ~ /^V[0-9]+ /) {
         n = substr($1, 2); v = substr($0, index($0, " ") + 1); sub(/ RA=.*/, "", v)
         name[n] = v; owner[n] = test
       }
       next
     }
     $1 == "CHECK" {
       rest = $0; for (i = 1; i <= 4; ++i) sub(/^[^ ]+ /, "", rest)
       printf "%-4s  %-16s  %-20s  %s %s\n", $3, owner[$2], name[$2], $4, rest
     }' "$out/bqueue_test.tdc" "$out/bqueue_test.rio"
echo "(kind, value after the call, then the expected value or its bounds)"
echo "== results file $out/bqueue_test.rio"
cat "$out/bqueue_test.rio"
echo "== test description $out/bqueue_test.tdc (after its header comment)"
grep -v '^\*' "$out/bqueue_test.tdc" || true
exit "$run"
