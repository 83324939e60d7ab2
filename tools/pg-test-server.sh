#!/bin/sh
# A throw-away PostgreSQL server for the tests of the store on PostgreSQL.
#
#   tools/pg-test-server.sh start DIR   makes a cluster in DIR, starts it and
#                                       prints its URL (also in DIR/url)
#   tools/pg-test-server.sh stop DIR    stops it and removes DIR
#
# The server listens only on a Unix socket in DIR (port 5432), never on the
# network, and lets whoever reaches that socket in as any role without a
# password: DIR and the socket are open to the user who started it alone.
# It holds a role and database "velmora" (the database's owner, so it may
# create schemas and trusted extensions such as pg_trgm) and nothing worth
# keeping: durability is switched off for speed.
#
# Run as root, the server runs as Debian's "postgres" user (PostgreSQL
# refuses to run as root) and root still reaches it as role velmora.
# Run as anyone else, that user runs it.
#
# A folder a killed run left behind, server and all, is cleared by the next
# start. Two runs must not share one DIR at the same time.
# VELMORA_PG_BINDIR names the folder of initdb and pg_ctl when they are
# neither in Debian's place nor on PATH.
set -eu

me="pg-test-server"
fail() {
    echo "$me: $*" >&2
    exit 1
}
usage() {
    echo "usage: $0 start|stop DIR" >&2
    exit 2
}
[ $# -eq 2 ] || usage
action=$1
dir=$2
[ -n "$dir" ] || usage
case $dir in
    /*) ;;
    *) dir=$(pwd)/$dir ;;
esac
dir=${dir%/}
[ -n "$dir" ] || fail "refusing / as the server's folder"
# Marks a folder as one this script made, so that stop never removes
# anything else.
marker=.velmora-pg-test

# Debian keeps each major version's programs in a folder of their own, off
# PATH; the newest installed one serves.
find_bindir() {
    if [ -n "${VELMORA_PG_BINDIR:-}" ]; then
        [ -x "$VELMORA_PG_BINDIR/initdb" ] && echo "$VELMORA_PG_BINDIR" && return 0
        return 1
    fi
    for d in $(printf "%s\n" /usr/lib/postgresql/*/bin | sort -V -r); do
        if [ -x "$d/initdb" ] && [ -x "$d/pg_ctl" ]; then
            echo "$d"
            return 0
        fi
    done
    if command -v initdb >/dev/null 2>&1 && command -v pg_ctl >/dev/null 2>&1; then
        dirname "$(command -v initdb)"
        return 0
    fi
    return 1
}
bindir=$(find_bindir) || bindir=""

if [ "$(id -u)" -eq 0 ]; then
    server_user=postgres
    as_server() { runuser -u "$server_user" -- "$@"; }
else
    server_user=$(id -un)
    as_server() { "$@"; }
fi

# libpq takes a socket folder as the host of a URL, percent-encoded.
urlencode() {
    printf '%s' "$1" | od -An -v -tx1 | tr -s ' ' '\n' | while read -r h; do
        [ -n "$h" ] || continue
        case $h in
            2d | 2e | 5f | 7e | 3[0-9] | 4[1-9a-f] | 5[0-9a] | 6[1-9a-f] | 7[0-9a])
                # shellcheck disable=SC2059
                printf "\\$(printf %03o "0x$h")"
                ;;
            *) printf '%%%s' "$(echo "$h" | tr a-f A-F)" ;;
        esac
    done
}

stop_in() {
    [ -e "$dir" ] || return 0
    [ -f "$dir/$marker" ] || fail "$dir is not a folder this script made (no $marker in it): left alone"
    if [ -f "$dir/data/postmaster.pid" ] && [ -n "$bindir" ]; then
        # Nothing in it is kept, so the server need not write a last checkpoint.
        if ! as_server "$bindir/pg_ctl" stop -D "$dir/data" -m immediate -w -t 10 >/dev/null 2>&1 &&
            as_server "$bindir/pg_ctl" status -D "$dir/data" >/dev/null 2>&1; then
            fail "cannot stop the server in $dir (started by another user?); its log: $dir/log"
        fi
    fi
    rm -rf "$dir" || fail "cannot remove $dir"
}

start() {
    [ -n "$bindir" ] ||
        fail "no PostgreSQL server programs (initdb, pg_ctl): install Debian's package postgresql (tools/setup.sh installs it)"
    if [ "$server_user" = postgres ] && ! id postgres >/dev/null 2>&1; then
        fail "no user postgres to run the server as root: install Debian's package postgresql (tools/setup.sh installs it)"
    fi
    command -v psql >/dev/null 2>&1 || [ -x "$bindir/psql" ] ||
        fail "no psql: install Debian's package postgresql (tools/setup.sh installs it)"
    psql=psql
    [ -x "$bindir/psql" ] && psql=$bindir/psql
    # The socket's path must fit the 108 bytes of a Unix socket address.
    socket="$dir/.s.PGSQL.5432"
    [ ${#socket} -lt 108 ] || fail "$dir is too long for a socket folder (${#socket} bytes with the socket's name, 107 at most)"

    # A server a killed run left behind.
    stop_in
    mkdir -p "$dir" || fail "cannot make $dir"
    chmod 700 "$dir"
    : >"$dir/$marker"
    if [ "$server_user" = postgres ]; then
        chown -R postgres: "$dir"
        as_server test -w "$dir" || fail "user postgres cannot write in $dir (a folder above it is closed to it?)"
    fi
    # The server's programs start in the current folder, which may be closed
    # to the postgres user.
    cd "$dir"

    if ! as_server "$bindir/initdb" -D "$dir/data" -U postgres -A trust -E UTF8 --locale=C --no-sync \
        >"$dir/initdb.log" 2>&1; then
        cat "$dir/initdb.log" >&2
        fail "initdb failed in $dir/data"
    fi
    quoted_dir=$(printf '%s' "$dir" | sed "s/'/''/g")
    # A test server: nothing in it outlives the run, so nothing is made
    # durable; figures want commits that wait for the disk as a real
    # server's do (VELMORA_PG_DURABLE=1).
    if [ "${VELMORA_PG_DURABLE:-0}" = 1 ]; then
        durability="# durable, as a real server"
    else
        durability=$(printf 'fsync = off\nsynchronous_commit = off\nfull_page_writes = off')
    fi
    cat >>"$dir/data/postgresql.conf" <<EOF

# A test server on a socket of its own.
listen_addresses = ''
unix_socket_directories = '$quoted_dir'
unix_socket_permissions = 0700
port = 5432
# Parallel tests, each with a connection or two, and daemons with pools.
max_connections = 200
$durability
wal_level = minimal
max_wal_senders = 0
checkpoint_timeout = 1h
max_wal_size = 1GB
jit = off
EOF
    # Only the socket, only by whoever may open it.
    echo "local all all trust" >"$dir/data/pg_hba.conf"
    if ! as_server "$bindir/pg_ctl" start -D "$dir/data" -l "$dir/log" -w -t 30 -s >/dev/null 2>&1; then
        tail -n 20 "$dir/log" >&2 2>/dev/null || true
        fail "the server in $dir did not start (its log: $dir/log)"
    fi
    if ! "$psql" -X -q -v ON_ERROR_STOP=1 -h "$dir" -p 5432 -U postgres -d postgres \
        -c "CREATE ROLE velmora LOGIN" -c "CREATE DATABASE velmora OWNER velmora" >"$dir/setup.log" 2>&1; then
        cat "$dir/setup.log" >&2
        fail "cannot make the role and database velmora in the server in $dir"
    fi
    # Once for the database, in public, where every test's schema finds it
    # (a store's search index names the extension's schema): made by tests
    # side by side, the extension would race.
    if ! "$psql" -X -q -v ON_ERROR_STOP=1 -h "$dir" -p 5432 -U velmora -d velmora \
        -c "CREATE EXTENSION IF NOT EXISTS pg_trgm SCHEMA public" >>"$dir/setup.log" 2>&1; then
        cat "$dir/setup.log" >&2
        fail "cannot add pg_trgm to the database velmora in $dir"
    fi
    url="postgresql://velmora@$(urlencode "$dir"):5432/velmora"
    echo "$url" >"$dir/url.new"
    mv "$dir/url.new" "$dir/url"
    echo "$url"
}

case $action in
    start) start ;;
    stop) stop_in ;;
    *) usage ;;
esac
