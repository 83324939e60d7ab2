#!/bin/sh
# usage: check-pg-test-server.sh SOURCE_DIR
# What ctest's fixture pg counts on from tools/pg-test-server.sh: a start
# over a server a killed run left behind, a URL that leads to the server
# whatever the folder is called, a stop that leaves nothing running, and
# clear refusals that never remove a folder the script did not make.
set -u
script="$1/tools/pg-test-server.sh"
status=0
fail() {
    echo "FAIL: $*" >&2
    status=1
}
# A process that is still there (a zombie has ended).
alive() { ps -o stat= -p "$1" 2>/dev/null | grep -qv '^Z'; }

work=$(mktemp -d /tmp/vpgs.XXXXXX) || exit 1
# Run as root, the server runs as postgres, which must reach the folder.
chmod 755 "$work"
# Whatever went wrong, no server of this test outlives it.
# shellcheck disable=SC2317 # called by the trap
cleanup() {
    for pidfile in "$work"/*/data/postmaster.pid; do
        [ -f "$pidfile" ] && kill -QUIT "$(head -n 1 "$pidfile")" 2>/dev/null
    done
    sleep 0.2
    rm -rf "$work"
}
trap cleanup EXIT

# --- Refusals, each naming its reason --------------------------------------
mkdir "$work/mine"
echo keep >"$work/mine/file"
out=$(sh "$script" stop "$work/mine" 2>&1) && fail "stop of a folder it did not make succeeded"
echo "$out" | grep -q "not a folder this script made" || fail "stop of a foreign folder says: $out"
out=$(sh "$script" start "$work/mine" 2>&1) && fail "start over a foreign folder succeeded"
[ "$(cat "$work/mine/file" 2>/dev/null)" = keep ] || fail "a foreign folder was touched"

long="$work/$(printf '%090d' 0)"
out=$(sh "$script" start "$long" 2>&1) && fail "start in a folder too long for a socket succeeded"
echo "$out" | grep -q "too long" || fail "a folder too long for a socket says: $out"
[ -e "$long" ] && fail "a refused start left $long behind"

out=$(VELMORA_PG_BINDIR=$work/none sh "$script" start "$work/none" 2>&1) && fail "start without PostgreSQL succeeded"
echo "$out" | grep -q "package postgresql (tools/setup.sh" || fail "start without PostgreSQL says: $out"

out=$(sh "$script" stop "$work/never" 2>&1) || fail "stop of a folder that is not there failed: $out"

# --- A server left behind, then a fresh one in its place ---------------------
dir="$work/a b"
first=$(sh "$script" start "$dir") || fail "start failed"
old=$(head -n 1 "$dir/data/postmaster.pid" 2>/dev/null)
{ [ -n "$old" ] && alive "$old"; } || fail "no server running after start"
url=$(sh "$script" start "$dir") || fail "start over a server left behind failed"
[ "$url" = "$first" ] || fail "the same folder gave another URL: $url, $first"
[ "$(cat "$dir/url")" = "$url" ] || fail "DIR/url holds '$(cat "$dir/url")', start printed '$url'"
case $url in
    "postgresql://velmora@$(echo "$work" | sed 's|/|%2F|g')%2Fa%20b:5432/velmora") ;;
    *) fail "URL $url does not name the socket folder percent-encoded" ;;
esac
alive "$old" && fail "the server left behind still runs (pid $old)"
new=$(head -n 1 "$dir/data/postmaster.pid" 2>/dev/null)

# The URL's host is the socket folder; role velmora owns database velmora.
owner=$(psql -X -A -t -h "$dir" -p 5432 -U velmora -d velmora \
    -c "SELECT pg_get_userbyid(datdba) FROM pg_database WHERE datname = current_database()" 2>&1)
[ "$owner" = velmora ] || fail "database velmora's owner through the socket: $owner"
# Nothing listens on the network.
listen=$(psql -X -A -t -h "$dir" -U velmora -d velmora -c "SHOW listen_addresses" 2>&1)
[ -z "$listen" ] || fail "the server listens on '$listen'"

sh "$script" stop "$dir" || fail "stop failed"
[ -e "$dir" ] && fail "stop left $dir"
[ -n "$new" ] && alive "$new" && fail "the server still runs after stop (pid $new)"

[ "$status" -eq 0 ] && echo "pg-test-server: refusals, a start over a server left behind, the URL, stop: ok"
exit "$status"
