#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages that tools/make_*.py read to generate the supplied data files
# in data/. Only needed to regenerate them, not to build or test. Safe to run again: it asks
# apt only when something is missing or tzdata is older than the data was generated from.
set -euo pipefail

packages=(
  python3
  tzdata
  libtimezonemap-data
  iso-codes
  units
  libphonenumber8-java
)

source "$(dirname "$0")/apt-packages.sh"
install_packages "${packages[@]}"
