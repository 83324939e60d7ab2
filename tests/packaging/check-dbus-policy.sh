#!/bin/sh
# usage: check-dbus-policy.sh POLICY INTERFACE_XML VELMORAD
# The system bus's policy for velmorad as dbus-daemon reads it, on a bus of
# this test's own: root may own org.velmora.Velmora1 and call it, a user
# outside the velmora group may not even call it; and the interface's
# description the package installs is well-formed XML. Needs root (to be
# another user) and runuser: exits 77 (skipped) without them.
set -u
policy=$1
interface=$2
velmorad=$3
tmp=$(mktemp -d)
chmod 755 "$tmp"
status=0
fail() {
    echo "FAIL: $*" >&2
    status=1
}
bus_pid=
daemon_pid=
cleanup() {
    [ -n "$daemon_pid" ] && kill "$daemon_pid" 2>/dev/null && wait "$daemon_pid" 2>/dev/null
    [ -n "$bus_pid" ] && kill "$bus_pid" 2>/dev/null
    rm -rf "$tmp"
}
trap cleanup EXIT

if command -v xmllint >/dev/null 2>&1; then
    xmllint --noout "$interface" "$policy" || fail "the interface or the policy is not well-formed XML"
fi
if [ "$(id -u)" != 0 ] || ! command -v runuser >/dev/null 2>&1 || ! command -v dbus-daemon >/dev/null 2>&1 ||
    ! command -v gdbus >/dev/null 2>&1; then
    echo "skipped: needs root, runuser, dbus-daemon and gdbus" >&2
    exit 77
fi

# A system bus as the distribution's, but anyone may connect, and the
# package's policy on top.
cat >"$tmp/bus.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-BUS Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>system</type>
  <listen>unix:path=$tmp/bus</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow user="*"/>
    <deny own="*"/>
    <deny send_type="method_call"/>
    <allow send_type="signal"/>
    <allow send_requested_reply="true" send_type="method_return"/>
    <allow send_requested_reply="true" send_type="error"/>
    <allow receive_type="method_call"/>
    <allow receive_type="method_return"/>
    <allow receive_type="error"/>
    <allow receive_type="signal"/>
    <allow send_destination="org.freedesktop.DBus" send_interface="org.freedesktop.DBus"/>
    <allow send_destination="org.freedesktop.DBus" send_interface="org.freedesktop.DBus.Introspectable"/>
  </policy>
  <include>$policy</include>
</busconfig>
CONF
dbus-daemon --config-file="$tmp/bus.conf" --nofork --nopidfile --print-address=1 >"$tmp/address" 2>"$tmp/bus.log" &
bus_pid=$!
for _ in $(seq 50); do
    [ -s "$tmp/address" ] && break
    sleep 0.1
done
[ -s "$tmp/address" ] || {
    fail "dbus-daemon did not start with the policy: $(cat "$tmp/bus.log")"
    exit 1
}
address=$(head -n 1 "$tmp/address")

# velmorad as the system's service, as root (the policy lets root own it).
printf '[Store]\nPath=%s/messages.sqlite\n[Modem a]\nDevice=%s/no-modem\n' "$tmp" "$tmp" >"$tmp/velmorad.conf"
DBUS_SYSTEM_BUS_ADDRESS=$address VELMORA_DIR=$tmp LANG=C.UTF-8 "$velmorad" --system-bus \
    --config "$tmp/velmorad.conf" 2>"$tmp/velmorad.log" &
daemon_pid=$!
for _ in $(seq 100); do
    grep -q 'answering as org.velmora.Velmora1 on the system bus' "$tmp/velmorad.log" && break
    sleep 0.1
done
grep -q 'answering as org.velmora.Velmora1 on the system bus' "$tmp/velmorad.log" ||
    fail "velmorad did not own its name on the system bus: $(cat "$tmp/velmorad.log")"

call() {
    gdbus call --address "$address" --dest org.velmora.Velmora1 --object-path /org/velmora/Velmora1 \
        --method org.velmora.Velmora1.Messages.StorePath 2>&1
}
said=$(call) || fail "root may not call velmorad: $said"
case $said in *messages.sqlite*) ;; *) fail "root's call answered: $said" ;; esac
said=$(runuser -u nobody -- gdbus call --address "$address" --dest org.velmora.Velmora1 \
    --object-path /org/velmora/Velmora1 --method org.velmora.Velmora1.Messages.StorePath 2>&1) &&
    fail "a user outside the group velmora may call velmorad: $said"
case $said in *AccessDenied*) ;; *) fail "nobody's call was refused otherwise than by the policy: $said" ;; esac

# Its signals carry every text that comes in: root hears them, nobody does.
monitors=
monitor() {
    timeout 4 "$@" gdbus monitor --address "$address" --dest org.velmora.Velmora1 >"$tmp/heard.$1" 2>&1 &
    monitors="$monitors $!"
}
monitor runuser -u nobody --
monitor env
sleep 1
said=$(gdbus call --address "$address" --dest org.velmora.Velmora1 --object-path /org/velmora/Velmora1 \
    --method org.velmora.Velmora1.Messages.SendText "['0812345678']" 'PIN 4711' '@a{sv} {}' 2>&1) ||
    fail "root's SendText failed: $said"
# shellcheck disable=SC2086
wait $monitors
grep -q StateChanged "$tmp/heard.env" || fail "root did not hear StateChanged: $(cat "$tmp/heard.env")"
grep -q StateChanged "$tmp/heard.runuser" && fail "a user outside the group velmora hears velmorad's signals"

[ "$status" -eq 0 ] && echo "the system bus's policy for velmorad: ok"
exit $status
