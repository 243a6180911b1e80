#!/usr/bin/env bash
# Installs what is missing, builds, and runs the compiler on the bundled
# example.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build
export QUARTODIR="$PWD/build/stage" ZNTTGT="$PWD/build/stage"
status=0
./build/stage/bin/zentaprepro || status=$?
echo "zentaprepro exit status: $status"
