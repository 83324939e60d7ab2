#!/bin/sh
# The encoders, the phone link and the core must build and test without a
# display: no widget header and no widget library in those layers.
set -eu
cd "$(dirname "$0")/.."
status=0
dirs=""
for d in smslib link app/core; do
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
exit $status
