#!/bin/sh
# Brings the catalogs in i18n/ up to date with the sources: a new text comes
# in unfinished, for a translator to fill; a text gone from the sources is
# dropped. Run it after changing what the programs say, then translate what
# is unfinished (Qt Linguist: `linguist i18n/velmora_id.ts`, or any editor).
set -eu
cd "$(dirname "$0")/.."
LUPDATE=${LUPDATE:-/usr/lib/qt6/bin/lupdate}
LANGUAGES=${LANGUAGES:-id}
grep -v '^#' i18n/catalogs | while read -r catalog dirs; do
    [ -n "$catalog" ] || continue
    for language in $LANGUAGES; do
        # shellcheck disable=SC2086
        "$LUPDATE" -silent -no-obsolete -locations none -source-language en -target-language "$language" \
            -tr-function-alias QT_TRANSLATE_NOOP+=VELMORA_WORDS \
            $dirs -ts "i18n/${catalog}_${language}.ts"
    done
done
