#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the benchmarks need.
# Safe to run again: it asks apt only when something is missing.
set -euo pipefail

packages=(
  build-essential
  cmake
  ninja-build
  pkg-config
  clang-format
  qt6-base-dev
  qt6-base-dev-tools
  qt6-svg-dev
  qt6-multimedia-dev
  gstreamer1.0-plugins-base
  gstreamer1.0-plugins-good
  gstreamer1.0-libav
  libsndfile1-dev
  libasound2-dev
  libgl-dev
  libgtest-dev
  libgmock-dev
  libbenchmark-dev
  tzdata
  python3
  python3-pyftpdlib
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

# The tests compare the supplied zone rules with the C library's zone data, which must be at
# least as new as the tz database those rules were generated from.
min_tzdata=2026f
tzdata_version=$(dpkg-query -W -f='${Version}' tzdata 2>/dev/null || true)
if [[ -n "$tzdata_version" ]] && ! dpkg --compare-versions "$tzdata_version" ge "$min_tzdata"; then
  missing+=(tzdata)
fi

if ((${#missing[@]} == 0)); then
  exit 0
fi

sudo_cmd=()
if [[ $(id -u) -ne 0 ]]; then
  sudo_cmd=(sudo)
fi

echo "Installing: ${missing[*]}"
"${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
"${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
