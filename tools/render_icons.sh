#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the program icon into the PNG sizes of the hicolor icon theme, under
# resources/hicolor/<size>x<size>/apps/. A developer step like the data generators: the
# PNGs are committed, so building and installing need no SVG renderer. Run it again after
# changing resources/icons/zonewright.svg.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/scripts/apt-packages.sh"
install_packages librsvg2-bin

svg="$root/resources/icons/zonewright.svg"
sizes=(16 22 24 32 48 64 128 256)
for size in "${sizes[@]}"; do
  dir="$root/resources/hicolor/${size}x${size}/apps"
  mkdir -p "$dir"
  rsvg-convert --width "$size" --height "$size" --format png --output "$dir/zonewright.png" "$svg"
done
echo "Rendered ${sizes[*]} into resources/hicolor/"
