#!/bin/sh
# Sets up, builds and packages Velmora: the programs from the Release
# tree build/release (tools/build-release.sh), then the Debian package and
# the tarball, whose names it prints last:
#   build/pkg/velmora_<version>-1_<arch>.deb
#   build/pkg/velmora-<version>-linux-<arch>.tar.gz
set -eu
cd "$(dirname "$0")/.."
tools/setup.sh
tools/build-release.sh velmora velmora-cli velmora-phonesim velmorad
dir=$(pwd)/build/pkg
mkdir -p "$dir"
rm -f "$dir"/velmora_*.deb "$dir"/velmora-*.tar.gz
(cd build/release && cpack -G DEB -B "$dir" >/dev/null && cpack -G TGZ -B "$dir" >/dev/null)
rm -rf "$dir/_CPack_Packages"
ls build/pkg/velmora_*.deb build/pkg/velmora-*.tar.gz
