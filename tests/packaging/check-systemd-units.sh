#!/bin/sh
# usage: check-systemd-units.sh SYSTEM_UNIT USER_UNIT SYSUSERS VELMORAD MAN_PAGE
# velmorad's systemd units as systemd reads them: `systemd-analyze verify`
# on each (the system's and the user's), with ExecStart= pointed at the
# VELMORAD given and the manual page of Documentation= found at MAN_PAGE
# (velmorad.8 or velmorad.8.gz), must pass without a word; and the system's
# unit keeps what makes it safe to run (its own user in dialout, Type=notify
# with a watchdog, the hardening, serial devices only), which sysusers.d
# makes. Exits 77 (skipped) when systemd-analyze is not installed.
set -u
system_unit=$1
user_unit=$2
sysusers=$3
velmorad=$4
man_page=$5
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
status=0
fail() {
    echo "FAIL: $*" >&2
    status=1
}

for line in Type=notify WatchdogSec= User=velmora Group=velmora SupplementaryGroups=dialout \
    NoNewPrivileges=yes ProtectSystem=strict PrivateTmp=yes StateDirectory=velmora DevicePolicy=closed \
    'DeviceAllow=char-ttyUSB rw' 'DeviceAllow=char-ttyACM rw' 'ExecStart=/usr/bin/velmorad --config /etc/velmora/velmorad.conf'; do
    grep -q "^$line" "$system_unit" || fail "$(basename "$system_unit") lacks $line"
done
# Nothing but the state directory may be written: no ReadWritePaths= and
# no other directory of its kind.
grep -qE '^(ReadWritePaths|RuntimeDirectory|CacheDirectory|LogsDirectory|ConfigurationDirectory)=' "$system_unit" &&
    fail "$(basename "$system_unit") makes another place writable than its StateDirectory="
for line in Type=notify WatchdogSec= ExecStart=/usr/bin/velmorad; do
    grep -q "^$line" "$user_unit" || fail "the user's $(basename "$user_unit") lacks $line"
done
grep -qE '^(User|Group)=' "$user_unit" && fail "the user's unit names a user or group"
grep -q '^u velmora - ' "$sysusers" || fail "$(basename "$sysusers") does not make the user velmora"
grep -q '^m velmora dialout$' "$sysusers" || fail "$(basename "$sysusers") does not put velmora in dialout"

if ! command -v systemd-analyze >/dev/null 2>&1; then
    echo "systemd-analyze is not installed (Debian package systemd): the units were not verified" >&2
    [ "$status" -eq 0 ] && exit 77
    exit $status
fi

mkdir -p "$tmp/man/man8" "$tmp/system" "$tmp/user" "$tmp/runtime"
chmod 700 "$tmp/runtime"
case "$man_page" in
*.gz) cp "$man_page" "$tmp/man/man8/velmorad.8.gz" ;;
*) cp "$man_page" "$tmp/man/man8/velmorad.8" ;;
esac
sed "s|/usr/bin/velmorad|$velmorad|" "$system_unit" >"$tmp/system/velmorad.service"
sed "s|/usr/bin/velmorad|$velmorad|" "$user_unit" >"$tmp/user/velmorad.service"
# systemd-analyze says what it finds wrong and still exits 0 for much of
# it (an unknown key, a value it ignores): any word from it is a fault.
out=$(cd "$tmp" && MANPATH="$tmp/man" systemd-analyze verify "$tmp/system/velmorad.service" 2>&1)
rc=$?
[ "$rc" -eq 0 ] && [ -z "$out" ] || fail "systemd-analyze verify the system's unit (status $rc): $out"
out=$(cd "$tmp" && XDG_RUNTIME_DIR="$tmp/runtime" MANPATH="$tmp/man" systemd-analyze --user verify "$tmp/user/velmorad.service" 2>&1)
rc=$?
[ "$rc" -eq 0 ] && [ -z "$out" ] || fail "systemd-analyze --user verify the user's unit (status $rc): $out"
[ "$status" -eq 0 ] && echo "systemd units of velmorad: ok"
exit $status
