#!/usr/bin/env bash
# Builds the project and runs the whole test suite with CTest.
# Usage: scripts/test.sh [build-dir] [extra cmake options...]
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh
build=${1:-build}
shift || true
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$build"
ctest --test-dir "$build" --output-on-failure -j2
