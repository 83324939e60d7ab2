#!/bin/sh
# usage: check-man-pages.sh SOURCE_DIR BIN_DIR VERSION
# The manual pages in SOURCE_DIR/packaging/man keep up with the programs:
# every option each program's --help shows (and, for velmora-cli, every
# command, every kind of message and every command's own options), every
# exit status velmora-cli returns, and every file and environment variable
# the programs' file locations use appear in the pages; each page carries
# VERSION and renders without a warning.
set -u
# The programs speak English here, whatever the machine's language: their
# words are compared with the English ones.
unset LANGUAGE LC_MESSAGES
export LANG=C.UTF-8 LC_ALL=C.UTF-8
src=$1
bin=$2
version=$3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
status=0
fail() {
    echo "FAIL: $*" >&2
    status=1
}

# A page as plain words: roff's \- is a minus, font changes and \% vanish.
plain() {
    sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' -e 's/\\%//g' -e 's/\\(dq/"/g' -e 's/\\e/\\/g' "$1"
}

# Whether the plain page $1 holds the word $2 (not as part of a longer option).
holds() {
    grep -q -e "$2\([^a-z-]\|\$\)" "$1"
}

for prog in velmora velmora-cli velmora-phonesim velmorad; do
    # The daemon's page is in section 8, the programs' in section 1.
    section=1
    [ "$prog" = velmorad ] && section=8
    page="$src/packaging/man/$prog.$section"
    [ -f "$page" ] || {
        fail "no manual page $page"
        continue
    }
    plain "$page" >"$tmp/$prog.txt"
    # -ww: every groff warning.
    warnings=$(groff -ww -z -man -Tutf8 "$page" 2>&1)
    [ -z "$warnings" ] || fail "$prog.$section renders with warnings: $warnings"
    grep -q "^\.TH .* \"Velmora $version\"" "$page" || fail "$prog.$section: .TH does not say Velmora $version"
    "$bin/$prog" --help >"$tmp/help" 2>&1
    if [ "$prog" = velmora-cli ]; then
        commands=$(sed -n '/^commands:/,/^$/p' "$tmp/help" | awk 'NF >= 2 { print $1 }' | grep -v ':')
        [ -n "$commands" ] || fail "velmora-cli --help lists no commands"
        for c in $commands; do
            grep -q "^\.SS \"$c" "$page" || fail "velmora-cli.1 has no section for the command $c"
            "$bin/$prog" "$c" --help >>"$tmp/help" 2>&1
        done
        kinds=$(sed -n 's/^.*velmora-cli pdu \([a-z]*\) .*$/\1/p' "$tmp/help" | sort -u)
        [ -n "$kinds" ] || fail "velmora-cli pdu --help lists no kinds"
        for k in $kinds; do
            grep -q "^\.B[IR]* *\"*$k" "$page" || fail "velmora-cli.1 does not describe the kind $k"
        done
        # Every exit status of the command line, from its own enum.
        codes=$(grep -o 'kExit[A-Za-z]* = [0-9]*' "$src/app/cli/Cli.h" | sed 's/.* = //'; echo 128)
        sed -n '/^\.SH EXIT STATUS/,/^\.SH /p' "$page" >"$tmp/exit"
        for code in $codes; do
            grep -q "^\.B $code\( \|\$\)" "$tmp/exit" || fail "velmora-cli.1 EXIT STATUS lacks $code"
        done
    fi
    for option in $(grep -o -e '--[a-z][a-z-]*' "$tmp/help" | sort -u); do
        holds "$tmp/$prog.txt" "$option" || fail "$prog.$section does not mention $option (from its --help)"
    done
done

# The files and variables of the file locations, in both pages that say where
# the files live.
names=$(grep -o '"[A-Za-z_.]*\.\(Ini\|Txt\|portable\)"' "$src/core/AppPaths.cpp" "$src/core/AppPaths.h" |
    sed 's/.*"\(.*\)"/\1/' | sort -u)
vars=$(grep -o 'getenv("[A-Z_]*")\|XdgDir("[A-Z_]*"' "$src/core/AppPaths.cpp" | sed 's/.*("\([A-Z_]*\)".*/\1/' |
    grep -v '^HOME$' | sort -u)
[ "$(echo "$names" | wc -w)" -ge 5 ] || fail "found only these file names in AppPaths: $names"
[ "$(echo "$vars" | wc -w)" -ge 3 ] || fail "found only these variables in AppPaths: $vars"
for prog in velmora velmora-cli; do
    sed -n '/^\.SH ENVIRONMENT/,$p' "$src/packaging/man/$prog.1" | sed -e 's/\\-/-/g' >"$tmp/files"
    for word in $names $vars; do
        grep -q -e "$word" "$tmp/files" || fail "$prog.1 ENVIRONMENT/FILES do not mention $word"
    done
done
[ "$status" -eq 0 ] && echo "manual pages cover the programs' help, exit statuses and files: ok"
exit $status
