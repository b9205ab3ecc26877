#!/usr/bin/env bash
# Installs the Debian packages Candora needs to build, test and run. Idempotent: asks apt-get only for
# what is missing, and does nothing at all when everything is there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev libqt6multimedia6 qt6-qpa-plugins
  libgl-dev
  libpng-dev zlib1g-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-ipafont-gothic fonts-dejavu-core
  python3 python3-pandas
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_=""
[ "$(id -u)" = 0 ] || sudo_=sudo
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo_ apt-get update -qq
$sudo_ apt-get install -y -qq --no-install-recommends "${missing[@]}"
