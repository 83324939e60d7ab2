#!/bin/sh
# usage: check-help-version.sh VERSION PROGRAM...
# Every program answers --version with exactly "NAME VERSION" and --help (or
# -h) with a usage whose first line starts "usage: NAME" and that names
# --help and --version, on stdout with exit status 0 and nothing on stderr;
# an unknown option gives exit status 2, nothing on stdout and a complaint
# on stderr that names the program.
set -u
# The programs speak English here, whatever the machine's language: their
# words are compared with the English ones.
unset LANGUAGE LC_MESSAGES
export LANG=C.UTF-8 LC_ALL=C.UTF-8
version=$1
shift
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
status=0
fail() {
    echo "FAIL: $*" >&2
    status=1
}

for prog in "$@"; do
    name=$(basename "$prog")
    "$prog" --version >"$tmp/out" 2>"$tmp/err"
    rc=$?
    [ "$rc" -eq 0 ] || fail "$name --version: exit status $rc"
    [ "$(cat "$tmp/out")" = "$name $version" ] ||
        fail "$name --version printed '$(cat "$tmp/out")', not '$name $version'"
    [ -s "$tmp/err" ] && fail "$name --version wrote to stderr: $(cat "$tmp/err")"

    for help in --help -h; do
        "$prog" "$help" >"$tmp/out" 2>"$tmp/err"
        rc=$?
        [ "$rc" -eq 0 ] || fail "$name $help: exit status $rc"
        case "$(head -n 1 "$tmp/out")" in
        "usage: $name" | "usage: $name "*) ;;
        *) fail "$name $help: first line is '$(head -n 1 "$tmp/out")', not 'usage: $name ...'" ;;
        esac
        for word in --help --version; do
            grep -q -e "$word" "$tmp/out" || fail "$name $help does not mention $word"
        done
        [ -s "$tmp/err" ] && fail "$name $help wrote to stderr: $(cat "$tmp/err")"
    done

    "$prog" --no-such-option >"$tmp/out" 2>"$tmp/err"
    rc=$?
    [ "$rc" -eq 2 ] || fail "$name --no-such-option: exit status $rc, not 2"
    [ -s "$tmp/out" ] && fail "$name --no-such-option wrote to stdout: $(cat "$tmp/out")"
    grep -q -e "$name" "$tmp/err" || fail "$name --no-such-option: stderr does not name $name"
done
[ "$status" -eq 0 ] && echo "help and version of $# programs: ok"
exit $status
