#!/bin/sh
# usage: check-installed-copy.sh [--copy] BIN_DIR
# With --copy, the two programs of BIN_DIR are first copied into a fresh
# directory, as an installation would put them, and checked there.
# BIN_DIR holds velmora-cli and velmora-phonesim as installed (no
# velmora.portable beside them). A message sent through the simulated phone,
# with VELMORA_DIR and the XDG variables unset, is logged in
# $HOME/.local/share/velmora and nothing appears in BIN_DIR, even when this
# runs as root, who may write there. With XDG_DATA_HOME set the log goes
# there instead.
set -u
# The programs speak English here, whatever the machine's language: their
# words are compared with the English ones.
unset LANGUAGE LC_MESSAGES
export LANG=C.UTF-8 LC_ALL=C.UTF-8
copy=""
if [ "$1" = --copy ]; then
    copy=yes
    shift
fi
bin=$(cd "$1" && pwd)
tmp=$(mktemp -d)
sim=""
cleanup() {
    [ -n "$sim" ] && kill "$sim" 2>/dev/null && wait "$sim" 2>/dev/null
    rm -rf "$tmp"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP
status=0
fail() {
    echo "FAIL: $*" >&2
    status=1
}

if [ -n "$copy" ]; then
    mkdir -p "$tmp/usr/bin"
    cp "$bin/velmora-cli" "$bin/velmora-phonesim" "$tmp/usr/bin/" || exit 1
    bin="$tmp/usr/bin"
fi
[ -e "$bin/velmora.portable" ] && fail "$bin holds velmora.portable: not an installed copy"
ls -A "$bin" | sort >"$tmp/before"

phone="$tmp/phone"
"$bin/velmora-phonesim" --link "$phone" >/dev/null &
sim=$!
tries=0
until [ -e "$phone" ]; do
    tries=$((tries + 1))
    [ "$tries" -lt 100 ] || {
        echo "FAIL: the simulated phone did not start" >&2
        exit 1
    }
    sleep 0.1
done

# Sends one text message as a user whose home is $1; extra environment after.
send_as() {
    home=$1
    shift
    mkdir -p "$home"
    env -u VELMORA_DIR -u XDG_CONFIG_HOME -u XDG_DATA_HOME HOME="$home" "$@" \
        "$bin/velmora-cli" send --device "$phone" text 628569999999 "Hello from an installed copy" \
        >"$tmp/out" 2>"$tmp/err"
    rc=$?
    [ "$rc" -eq 0 ] || fail "velmora-cli send: exit status $rc: $(cat "$tmp/out" "$tmp/err")"
    grep -qx "Message Sent" "$tmp/out" || fail "velmora-cli send printed: $(cat "$tmp/out")"
}

send_as "$tmp/home"
log="$tmp/home/.local/share/velmora/Tr_smsn.Txt"
if [ -f "$log" ]; then
    grep -q " 628569999999" "$log" || fail "$log does not hold the destination: $(cat "$log")"
else
    fail "no transmit log at $log; the home holds: $(find "$tmp/home" -type f)"
fi

send_as "$tmp/home2" XDG_DATA_HOME="$tmp/data"
[ -f "$tmp/data/velmora/Tr_smsn.Txt" ] || fail "XDG_DATA_HOME=$tmp/data: no $tmp/data/velmora/Tr_smsn.Txt"
[ -e "$tmp/home2/.local/share/velmora/Tr_smsn.Txt" ] && fail "XDG_DATA_HOME set, yet the log went to the home"

ls -A "$bin" | sort >"$tmp/after"
cmp -s "$tmp/before" "$tmp/after" || fail "files appeared beside the installed programs: $(comm -13 "$tmp/before" "$tmp/after")"
[ "$status" -eq 0 ] && echo "an installed copy keeps its log in the XDG data directory (as $(id -un)): ok"
exit $status
