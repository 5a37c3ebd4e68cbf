#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs every Debian package the build, the tests and the benchmarks need, and the locales
# the tests run under. Safe to run again: it asks apt and locale-gen only when something is
# missing.
set -euo pipefail

packages=(
  build-essential
  cmake
  ninja-build
  pkg-config
  clang-format
  qt6-base-dev
  # The desktop notification tests run under a private session bus (dbus-run-session).
  dbus-daemon
  qt6-base-dev-tools
  # lupdate, which writes the translation template.
  qt6-l10n-tools
  qt6-svg-dev
  qt6-multimedia-dev
  gstreamer1.0-plugins-base
  gstreamer1.0-plugins-good
  gstreamer1.0-libav
  libsndfile1-dev
  libasound2-dev
  libgl-dev
  libical-dev
  libgtest-dev
  libgmock-dev
  libbenchmark-dev
  # Zone offsets from the system's tz database (date/tz, built to read /usr/share/zoneinfo).
  libhowardhinnant-date-dev
  tzdata
  locales
  python3
  python3-pyftpdlib
  # The fuzz targets: clang with its libFuzzer and sanitizer runtimes.
  clang
  libclang-rt-14-dev
  # The checks of the installed tree: desktop entry, AppStream metainfo, manual pages.
  desktop-file-utils
  appstream
  man-db
  groff-base
)

# First starts are tested in a day-month-year, 24-hour locale and in the US one.
locales=(
  de_DE.UTF-8
  en_US.UTF-8
)

# locale -a spells de_DE.UTF-8 as de_DE.utf8.
locale_present() {
  local wanted
  wanted=$(tr -d '-' <<<"${1,,}")
  locale -a 2>/dev/null | tr -d '-' | grep -qixF "$wanted"
}

generate_locales() {
  local missing=() l
  for l in "$@"; do
    locale_present "$l" || missing+=("$l")
  done
  if ((${#missing[@]} == 0)); then
    return 0
  fi
  echo "Generating locales: ${missing[*]}"
  for l in "${missing[@]}"; do
    if grep -qE "^[#[:space:]]*${l//./\\.} UTF-8\$" /etc/locale.gen; then
      as_root sed -i -E "s/^[#[:space:]]*(${l//./\\.} UTF-8)\$/\\1/" /etc/locale.gen
    else
      echo "$l UTF-8" | as_root tee -a /etc/locale.gen >/dev/null
    fi
  done
  as_root locale-gen
}

source "$(dirname "$0")/apt-packages.sh"
install_packages "${packages[@]}"
generate_locales "${locales[@]}"
