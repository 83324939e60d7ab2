#!/bin/sh
# usage: check-headless.sh PROGRAM...
# Each PROGRAM runs on a box without a screen: ldd lists no Qt GUI, widget,
# print or sound library among what it loads, directly or through another.
set -u
status=0
for prog in "$@"; do
    if ! libs=$(ldd "$prog" 2>&1); then
        echo "FAIL: ldd $prog: $libs" >&2
        status=1
        continue
    fi
    gui=$(printf '%s\n' "$libs" | grep -oE 'libQt6(Gui|Widgets|PrintSupport|Multimedia|OpenGL|XcbQpa)[^ ]*' | sort -u)
    if [ -n "$gui" ]; then
        echo "FAIL: $(basename "$prog") links $(echo $gui)" >&2
        status=1
    fi
done
[ "$status" -eq 0 ] && echo "no GUI library in $*: ok"
exit $status
