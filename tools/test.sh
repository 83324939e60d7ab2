#!/bin/sh
# Sets up, builds and runs every Velmora test: the unit, integration and
# window tests under AddressSanitizer and UndefinedBehaviorSanitizer with
# warnings as errors, then each fuzz target for a short while, then the
# Debian package and the tarball: built from the Release tree and checked.
# The real-time figures are not tests and are left out: tools/figures.sh.
# With ccache installed (tools/setup.sh installs it and lld) a second run
# reuses what the first compiled: tools/faster-builds.sh.
# Each fuzz target runs 10 s here; a longer soak of every target:
#   VELMORA_FUZZ_SECONDS=600 tools/test.sh
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

cmake -S . -B build/test $VELMORA_LAUNCHER $VELMORA_TEST_LINKER -DCMAKE_BUILD_TYPE=Debug -DVELMORA_SANITIZE=ON -DVELMORA_WERROR=ON >/dev/null
cmake --build build/test -j"$jobs"
ctest --test-dir build/test --output-on-failure -j"$jobs" --timeout 300 --label-exclude timing
# The tests that talk to a simulated phone in real time run one at a time
# (mostly on a scaled clock; ui_realtime_tests at the program's own pace).
ctest --test-dir build/test --output-on-failure --timeout 300 --label-regex timing

cmake -S . -B build/fuzz $VELMORA_LAUNCHER $VELMORA_TEST_LINKER -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVELMORA_FUZZ=ON -DVELMORA_WERROR=ON -DVELMORA_FUZZ_SECONDS="${VELMORA_FUZZ_SECONDS:-10}" >/dev/null
cmake --build build/fuzz -j"$jobs"
ctest --test-dir build/fuzz --output-on-failure -j"$jobs"

# The package: the three programs from the Release tree that tools/run.sh
# and tools/figures.sh share, the .deb and the .tar.gz, then their checks.
tools/package.sh
tools/check-package.sh
