#!/usr/bin/env bash
# Builds the project and runs the whole test suite with CTest: once in a plain
# build and once under AddressSanitizer and UndefinedBehaviorSanitizer.
# Usage: scripts/test.sh                 both builds (build/ and build-asan/)
#        scripts/test.sh DIR [OPTIONS]   one build in DIR with extra cmake options
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh

run() {
  local dir=$1
  shift
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$dir"
  ctest --test-dir "$dir" --output-on-failure -j2
}

if [ $# -gt 0 ]; then
  run "$@"
else
  run build
  run build-asan -DZENTA_SANITIZE=ON
fi
