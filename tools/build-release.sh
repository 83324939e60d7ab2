#!/bin/sh
# usage: tools/build-release.sh TARGET...
# Builds TARGETs in build/release: the one Release tree that tools/run.sh,
# tools/package.sh and tools/figures.sh share, so a program built for one is
# built for all. Debian's flags for every package apply (fortified
# functions, stack protector, full RELRO); -g goes, since the package holds
# stripped programs anyway. The tests are configured but only built when a
# TARGET names them; installing (cpack, cmake --install) needs only the
# programs built, not everything.
set -eu
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)
. tools/faster-builds.sh
flags() { DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get "$1" | sed 's/\(^\| \)-g\( \|$\)/ /'; }
cmake -S . -B build/release $VELMORA_LAUNCHER -DCMAKE_BUILD_TYPE=Release -DVELMORA_WERROR=ON -DVELMORA_FIGURES=ON \
    -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
    -DCMAKE_CXX_FLAGS="$(flags CPPFLAGS) $(flags CXXFLAGS)" -DCMAKE_EXE_LINKER_FLAGS="$(flags LDFLAGS)" >/dev/null
cmake --build build/release -j"$jobs" --target "$@"
