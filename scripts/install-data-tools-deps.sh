#!/usr/bin/env bash
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

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

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
