#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the translation template: every text of the windows and every text the core marks
# for them, with no translations. Usage: make-pot.sh [OUTPUT.ts]; LUPDATE names the tool.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/translations/zonewright.ts}
lupdate=${LUPDATE:-/usr/lib/qt6/bin/lupdate}

# Written afresh, so that the template never keeps texts the program no longer has.
mkdir -p "$(dirname "$out")"
rm -f "$out"
"$lupdate" -silent -no-obsolete -locations relative -source-language en -extensions cpp,h \
  -tr-function-alias QT_TRANSLATE_NOOP+=ZW_TR_NOOP "$root/src" -ts "$out"
