# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash
# Sourced by the install scripts: installs the Debian packages it is given that are missing,
# and upgrades tzdata when it is older than the tz database the supplied data was made from.
# Quiet and quick when nothing is missing.

min_tzdata=2026f

install_packages() {
  local missing=() p status tzdata_version
  for p in "$@"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$p")
  done

  # The zone rules are compared with the C library's zone data, which must be at least as new.
  tzdata_version=$(dpkg-query -W -f='${Version}' tzdata 2>/dev/null || true)
  if [[ -n "$tzdata_version" ]] && ! dpkg --compare-versions "$tzdata_version" ge "$min_tzdata"; then
    missing+=(tzdata)
  fi

  if ((${#missing[@]} == 0)); then
    return 0
  fi

  echo "Installing: ${missing[*]}"
  as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq \
    --no-install-recommends "${missing[@]}"
}

as_root() {
  if [[ $(id -u) -eq 0 ]]; then
    "$@"
  else
    sudo "$@"
  fi
}
