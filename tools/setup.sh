#!/bin/sh
# Installs every package that building, running and testing Velmora needs,
# from Debian's archive only. Quiet and quick when everything is present.
set -eu

PACKAGES="cmake make g++ pkg-config git ccache \
  qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-l10n-tools qt6-serialport-dev qt6-multimedia-dev libqt6svg6 qt6-qpa-plugins \
  qt6-httpserver-dev qt6-websockets-dev dbus-daemon dbus-bin libglib2.0-bin curl \
  libqt6sql6-sqlite libqt6sql6-psql postgresql libsystemd-dev \
  libgl-dev \
  googletest libgtest-dev libgmock-dev libbenchmark-dev \
  clang libclang-rt-dev clang-format lld \
  xvfb xauth \
  poppler-utils \
  librsvg2-bin gzip \
  dpkg-dev file desktop-file-utils appstream lintian man-db groff-base"

missing=""
for p in $PACKAGES; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done
[ -z "$missing" ] && exit 0

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi
echo "velmora setup: installing$missing" >&2
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq >/dev/null
# shellcheck disable=SC2086
$SUDO apt-get install -y -qq --no-install-recommends $missing >/dev/null
