#!/bin/sh
# Sets up, builds and packages Velmora: a Release build of the three programs
# with Debian's hardening flags in build/pkg (no tests), then the Debian
# package and the tarball, whose names it prints last:
#   build/pkg/velmora_<version>-1_<arch>.deb
#   build/pkg/velmora-<version>-linux-<arch>.tar.gz
set -eu
cd "$(dirname "$0")/.."
tools/setup.sh
jobs=$(nproc 2>/dev/null || echo 2)
dir=build/pkg

# Debian's flags for every package (fortified functions, stack protector,
# full RELRO); -g goes, since the package holds stripped programs anyway.
flags() { DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get "$1" | sed 's/\(^\| \)-g\( \|$\)/ /'; }
cxxflags="$(flags CPPFLAGS) $(flags CXXFLAGS)"
ldflags=$(flags LDFLAGS)

cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DVELMORA_TESTS=OFF -DVELMORA_WERROR=ON \
    -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" >/dev/null
cmake --build "$dir" -j"$jobs"
rm -f "$dir"/velmora_*.deb "$dir"/velmora-*.tar.gz
(cd "$dir" && cpack -G DEB >/dev/null && cpack -G TGZ >/dev/null)
ls "$dir"/velmora_*.deb "$dir"/velmora-*.tar.gz
