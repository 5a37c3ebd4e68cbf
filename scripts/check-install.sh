#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs a build tree into a temporary directory, as a distribution package would, and
# checks what gets installed: every file is there, the icons have their theme sizes, and the
# desktop entry, the AppStream metainfo and the manual pages pass the distributions'
# validators without a complaint. Exits non-zero when anything fails.
# Usage: scripts/check-install.sh [BUILD_DIR]   (default: build)
set -euo pipefail

build=${1:-build}
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
root=$stage/usr
app_id=io.github.zonewright.Zonewright
icon_sizes=(16 22 24 32 48 64 128 256)
failures=0

fail() {
  echo "check-install: $*" >&2
  failures=$((failures + 1))
}

# Runs a validator that must succeed.
passes() {
  local output
  output=$("$@" 2>&1) || fail "$*:"$'\n'"$output"
}

# Runs a validator that must succeed and print nothing at all.
quiet() {
  local output
  if ! output=$("$@" 2>&1) || [[ -n $output ]]; then
    fail "$*:"$'\n'"$output"
  fi
}

# man prints its own warnings and groff's on stderr; the page itself is thrown away.
man_warnings() {
  MANWIDTH=80 man --warnings -E UTF-8 -l "$1" >/dev/null
}

DESTDIR=$stage cmake --install "$build" --prefix /usr >/dev/null

expected=(
  bin/zonewright
  bin/zw
  share/zonewright/TIME_ZON.DAT
  share/zonewright/CURRENCY.DAT
  share/zonewright/MEASURE.DAT
  share/zonewright/CREDITS
  share/doc/zonewright/LICENSE
  share/doc/zonewright/CREDITS
  share/doc/zonewright/licences/Apache-2.0
  share/doc/zonewright/licences/LGPL-2.1
  "share/applications/$app_id.desktop"
  "share/metainfo/$app_id.metainfo.xml"
  share/icons/hicolor/scalable/apps/zonewright.svg
  share/man/man1/zonewright.1
  share/man/man1/zw.1
)
for size in "${icon_sizes[@]}"; do
  expected+=("share/icons/hicolor/${size}x${size}/apps/zonewright.png")
done
for file in "${expected[@]}"; do
  [[ -f $root/$file ]] || fail "not installed: $file"
done

# The About box shows the credits installed with the data; each source whose licence asks for
# credit is named there with its licence.
credits=$root/share/zonewright/CREDITS
if [[ -f $credits ]]; then
  for credit in GeoNames "CC BY 4.0" "tz database" "public domain" iso-codes \
    "GNU Lesser General Public License" libphonenumber "Apache License, Version 2.0"; do
    grep -qF "$credit" "$credits" || fail "the installed credits do not name: $credit"
  done
fi

# A PNG's width and height are the two big-endian words after its signature and chunk header.
for size in "${icon_sizes[@]}"; do
  png=$root/share/icons/hicolor/${size}x${size}/apps/zonewright.png
  [[ -f $png ]] || continue
  read -r width height < <(od -An -tu1 -j16 -N8 "$png" |
    awk '{ print $1*16777216 + $2*65536 + $3*256 + $4, $5*16777216 + $6*65536 + $7*256 + $8 }')
  [[ $width == "$size" && $height == "$size" ]] ||
    fail "icon ${size}x${size} is ${width}x${height}"
done

desktop=$root/share/applications/$app_id.desktop
metainfo=$root/share/metainfo/$app_id.metainfo.xml
if [[ -f $desktop ]]; then
  quiet desktop-file-validate "$desktop"
fi
if [[ -f $metainfo ]]; then
  # --strict fails on hints too (a missing content rating is one); validate-tree also checks
  # the metainfo against the installed desktop entry.
  passes appstreamcli validate --no-net --strict "$metainfo"
  passes appstreamcli validate-tree --no-net --strict "$stage"
fi

for page in "$root"/share/man/man1/*.1; do
  [[ -f $page ]] || continue
  quiet man_warnings "$page"
done

# The installed programs find the data beside themselves, wherever they were installed, and
# know nothing of the tree they were built in.
build_tree=$(cd "$build" && pwd -P)
source_tree=$(cd "$(dirname "$0")/.." && pwd -P)
# Only the program's constant data counts: the debugging sections name the sources by design.
for program in "$root"/bin/* "$root"/lib*/zonewright/*.so "$root"/lib/*/zonewright/*.so; do
  [[ -f $program ]] || continue
  objcopy -O binary --only-section=.rodata "$program" "$stage/rodata"
  if grep -qaF -e "$build_tree" -e "$source_tree" "$stage/rodata"; then
    fail "${program#"$root"/} names the build or source tree"
  fi
done
if [[ -x $root/bin/zw ]]; then
  home=$stage/home
  mkdir -p "$home"
  output=$(env -u ZONEWRIGHT_DATA_DIR -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$home" \
    "$root/bin/zw" now London 2>&1) || fail "installed zw cannot read its data:"$'\n'"$output"
  # Calendars are written by a module the installed zw loads from beside itself.
  output=$(env -u ZONEWRIGHT_DATA_DIR -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$home" \
    "$root/bin/zw" events --ics 2>&1) || fail "installed zw cannot write a calendar:"$'\n'"$output"
  [[ $output == BEGIN:VCALENDAR* ]] || fail "installed zw events --ics printed: $output"
fi
if [[ -x $root/bin/zonewright ]]; then
  output=$("$root/bin/zonewright" --version 2>&1) || fail "zonewright --version: $output"
  [[ $output == "Zonewright "* ]] || fail "zonewright --version printed: $output"
fi

if ((failures > 0)); then
  echo "check-install: $failures check(s) failed" >&2
  exit 1
fi
echo "check-install: the installed tree of $build passes (${#expected[@]} files)"
