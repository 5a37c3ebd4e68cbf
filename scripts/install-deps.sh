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

source "$(dirname "$0")/apt-packages.sh"
install_packages "${packages[@]}"
