#!/usr/bin/env bash
# Installs the Debian packages Quarvel needs to build, test and render.
# Does nothing when they are all present already.
set -euo pipefail
packages=(cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev
          qt6-base-dev qt6-svg-dev qt6-image-formats-plugins libpng-dev libgl-dev fonts-wqy-microhei
          fonts-dejavu-core locales python3 pkg-config
          # a real X server for the Qt tests under xcb
          xvfb xauth
          # GIS and grid exchange through GDAL; its tools and gmt check the files in the tests.
          libgdal-dev gdal-bin gmt
          # the Python module and its tests
          pybind11-dev python3-dev python3-numpy python3-pytest
          # the SEG-Y sample statistics checked against another reader (bench/segy_stats_*)
          python3-segyio
          time)  # peak memory in tests/hostile/run.sh
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
# The number tests run once under a comma-decimal locale.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  $SUDO sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen >/dev/null
fi
