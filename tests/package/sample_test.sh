#!/usr/bin/env bash
# The sample project used as a user uses the installed package: the build
# tree is installed into a fresh prefix, the sample is configured against it,
# built and tested with CTest (one script passes, one fails); then touching a
# header of one script's code, or a PTU file that one script includes, runs
# the compiler again for that script only.
#
# Usage: sample_test.sh <zentaprepro build dir> <sample source dir>
set -euo pipefail
build=$1
sample=$2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A blank in the prefix: every path of the installation has one, and the
# dependency files must escape it.
prefix="$work/zenta prefix"
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

cmake --install "$build" --prefix "$prefix" >/dev/null
[ -f "$prefix/lib/cmake/zentaprepro/zentapreproConfig.cmake" ] || fail "no package configuration installed"
[ -f "$prefix/lib/cmake/zentaprepro/zentapreproConfigVersion.cmake" ] || fail "no package version file installed"

cp -R "$sample" "$work/sample"
cmake -S "$work/sample" -B "$work/b" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" >"$work/configure.log" 2>&1 ||
  { cat "$work/configure.log"; fail "the sample does not configure"; }
cmake --build "$work/b" -j 2 >"$work/build.log" 2>&1 || { cat "$work/build.log"; fail "the sample does not build"; }

# The compiler's warnings are in the build log in the IDE form, at the line
# of the statement that raised them.
grep -q "gauge_fail.ptu:16: warning: .* \[ELMT_VIDE\]$" "$work/build.log" ||
  { cat "$work/build.log"; fail "the build log does not show the compiler's warning in the IDE form"; }

status=0
ctest --test-dir "$work/b" >"$work/ctest.log" 2>&1 || status=$?
[ "$status" -ne 0 ] || { cat "$work/ctest.log"; fail "ctest passed although one script fails"; }
grep -q "50% tests passed, 1 tests failed out of 2" "$work/ctest.log" ||
  { cat "$work/ctest.log"; fail "ctest does not report one pass and one failure"; }
grep -Eq "Test +#[0-9]+: counter_pass \.+ +Passed" "$work/ctest.log" ||
  { cat "$work/ctest.log"; fail "counter_pass did not pass"; }
grep -Eq "Test +#[0-9]+: gauge_fail \.+\*+Failed" "$work/ctest.log" ||
  { cat "$work/ctest.log"; fail "gauge_fail did not fail"; }

# Which scripts a build compiles: the names in the build tool's descriptions.
compiled() {
  cmake --build "$work/b" -j 2 >"$work/rebuild.log" 2>&1 || { cat "$work/rebuild.log"; fail "the rebuild fails"; }
  sed -n 's/.*Compiling the test script .* of \([a-z_]*\)$/\1/p' "$work/rebuild.log" | sort | tr '\n' ' '
}

[ "$(compiled)" = "" ] || fail "a build right after a build compiles a script again: $(cat "$work/rebuild.log")"
touch "$work/sample/src/counter.h"
[ "$(compiled)" = "counter_pass " ] || fail "touching counter.h compiles: $(cat "$work/rebuild.log")"
touch "$work/sample/tests/gauge_nominal.ptu"
[ "$(compiled)" = "gauge_fail " ] || fail "touching gauge_nominal.ptu compiles: $(cat "$work/rebuild.log")"
touch "$work/sample/tests/counter_pass.ptu"
[ "$(compiled)" = "counter_pass " ] || fail "touching counter_pass.ptu compiles: $(cat "$work/rebuild.log")"
[ "$(compiled)" = "" ] || fail "the build does not settle: $(cat "$work/rebuild.log")"
echo "sample project: configured, built, one pass and one failure, rebuilds follow the scripts' files"
