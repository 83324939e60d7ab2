#!/bin/sh
# Sets up, builds and runs every Velmora test: the unit, integration and
# window tests under AddressSanitizer and UndefinedBehaviorSanitizer with
# warnings as errors, each fuzz target for a short while, then the Debian
# package and the tarball: built from the Release tree and checked.
# The real-time figures are not tests and are left out: tools/figures.sh.
# With ccache installed (tools/setup.sh installs it and lld) a second run
# reuses what the first compiled: tools/faster-builds.sh.
# Each fuzz target runs 10 s here; a longer soak of every target:
#   VELMORA_FUZZ_SECONDS=600 tools/test.sh
#
# One tree, built with clang, holds the tests and the fuzz targets, so the
# code is compiled once for both. The tests that talk to a simulated phone
# in real time mostly wait; they run after the others, two for each core,
# while the fuzz targets and the Release programs for the package use the
# idle processor at the lowest priority, which the waiting tests take back
# whenever they wake.
set -eu
cd "$(dirname "$0")/.."
tools/setup.sh

jobs=$(nproc 2>/dev/null || echo 2)
. tools/faster-builds.sh
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# Qt and the fontconfig cache keep allocations until exit that are not ours.
export LSAN_OPTIONS="suppressions=$(pwd)/tests/lsan.supp:print_suppressions=0"

started=$(date +%s)
stage() { echo "test.sh: $1 done at $(($(date +%s) - started)) s"; }

# Line tables are all a sanitizer's report needs to name the line; full
# debugging information would double what the fifty programs link.
cmake -S . -B build/test $VELMORA_LAUNCHER $VELMORA_TEST_LINKER \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS_DEBUG=-gline-tables-only \
    -DVELMORA_SANITIZE=ON -DVELMORA_WERROR=ON -DVELMORA_FUZZ_SECONDS="${VELMORA_FUZZ_SECONDS:-10}" >/dev/null
cmake --build build/test -j"$jobs"
stage "the test tree"

# The Release programs build beside the tests from here on, at the lowest
# priority; their output is kept for the end.
release_log=build/release-build.log
mkdir -p build
nice -n 19 tools/build-release.sh velmora velmora-cli velmora-phonesim velmorad >"$release_log" 2>&1 &
release=$!
background_failed() {
    kill "$release" 2>/dev/null || true
    [ -z "${fuzz:-}" ] || kill "$fuzz" 2>/dev/null || true
}
trap background_failed EXIT

ctest --test-dir build/test --output-on-failure -j"$jobs" --timeout 300 --label-exclude 'timing|fuzz'
stage "the tests"

fuzz_log=build/fuzz-run.log
nice -n 19 ctest --test-dir build/test --output-on-failure -j"$jobs" --label-regex fuzz >"$fuzz_log" 2>&1 &
fuzz=$!
# The tests that talk to a simulated phone in real time (mostly on a scaled
# clock; ui_realtime_tests at the program's own pace) mostly wait on it:
# four of them at once kept a quarter of two cores busy here, so two for each core
# still leave each one a processor when it wakes.
ctest --test-dir build/test --output-on-failure -j"$((jobs * 2))" --timeout 300 --label-regex timing
stage "the real-time tests"

fuzz_status=0
wait "$fuzz" || fuzz_status=$?
cat "$fuzz_log"
[ "$fuzz_status" -eq 0 ] || exit "$fuzz_status"
stage "the fuzz targets"
release_status=0
wait "$release" || release_status=$?
trap - EXIT
if [ "$release_status" -ne 0 ]; then
    cat "$release_log"
    exit "$release_status"
fi
stage "the Release programs"

# The package: the programs from the Release tree that tools/run.sh
# and tools/figures.sh share, the .deb and the .tar.gz, then their checks.
tools/package.sh
tools/check-package.sh
stage "the package"
