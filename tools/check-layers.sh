#!/bin/sh
# The encoders, the phone link, the core and the message service must build
# and test without a display: no widget header and no widget library in
# those layers, and (but smslib, which has no Qt at all) no QtGui either,
# so that the daemon velmorad, which sits on them, runs on a box without a
# screen; velmorad's own folder is held to the same. Pictures and tunes are
# media/'s, which only the window and velmora-cli link. The service sits
# above the link: nothing below it includes one of its headers. The doors
# other programs come in by (api/: D-Bus, HTTP, hooks) sit above the
# service, run in the daemon too, and are held to the same: no widgets, no
# QtGui, and nothing below them includes one of their headers.
set -eu
cd "$(dirname "$0")/.."
status=0
dirs=""
for d in smslib link core service api; do
    [ -d "$d" ] && dirs="$dirs $d"
done
[ -n "$dirs" ] || exit 0
# shellcheck disable=SC2086
if grep -rnE '#include *<(QtWidgets/|QtPrintSupport/)?(QtWidgets|QtPrintSupport|QApplication|QWidget|QMainWindow|QDialog|QMessageBox|QPushButton|QLabel|QLineEdit|QMenu|QPrinter|QFileDialog)>' $dirs; then
    echo "widget headers included above" >&2
    status=1
fi
# shellcheck disable=SC2086
if grep -rnE 'Qt6?::(Widgets|PrintSupport)' $(find $dirs -name CMakeLists.txt); then
    echo "widget libraries linked above" >&2
    status=1
fi
# QtGui: its module header or any of its classes a layer might reach for.
headless=""
for d in link core service api app/velmorad; do
    [ -d "$d" ] && headless="$headless $d"
done
if [ -n "$headless" ]; then
    # shellcheck disable=SC2086
    if grep -rnE '#include *<(QtGui/)?(QtGui|QGuiApplication|QImage|QImageReader|QImageWriter|QPixmap|QIcon|QColor|QPainter|QFont|QFontMetrics|QPalette|QClipboard|QScreen|QWindow|QTextDocument)>' $headless; then
        echo "QtGui headers included in a layer that runs without a screen" >&2
        status=1
    fi
    # shellcheck disable=SC2086
    if grep -rnE 'Qt6?::(Gui|Widgets|PrintSupport|Multimedia)\b|velmora_(ui|pictures|tune)\b' $(find $headless -name CMakeLists.txt); then
        echo "QtGui, a sound system or a library that links them linked in a layer that runs without a screen" >&2
        status=1
    fi
fi
below=""
for d in smslib link core; do
    [ -d "$d" ] && below="$below $d"
done
service_headers=$(find service -maxdepth 1 -name '*.h' -printf '%f\n' 2>/dev/null | sed 's/\./\\./g' | paste -sd'|' -)
if [ -n "$below" ] && [ -n "$service_headers" ]; then
    # shellcheck disable=SC2086
    if grep -rnE "#include *[\"<]($service_headers)[\">]" $below; then
        echo "service headers included below the service" >&2
        status=1
    fi
    # shellcheck disable=SC2086
    if grep -rnE 'velmora_service' $(find $below -name CMakeLists.txt); then
        echo "the service library linked below the service" >&2
        status=1
    fi
fi
api_below=""
for d in smslib link core service; do
    [ -d "$d" ] && api_below="$api_below $d"
done
api_headers=$(find api -maxdepth 1 -name '*.h' -printf '%f\n' 2>/dev/null | sed 's/\./\\./g' | paste -sd'|' -)
if [ -n "$api_below" ] && [ -n "$api_headers" ]; then
    # shellcheck disable=SC2086
    if grep -rnE "#include *[\"<]($api_headers)[\">]" $api_below; then
        echo "api headers included below the api" >&2
        status=1
    fi
    # shellcheck disable=SC2086
    if grep -rnE 'velmora_api' $(find $api_below -name CMakeLists.txt); then
        echo "the api library linked below the api" >&2
        status=1
    fi
fi
exit $status
