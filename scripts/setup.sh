#!/usr/bin/env bash
# Installs the Debian packages Paginor needs to build, test, benchmark and run its demo.
# apt-get runs only when something is missing, so running this again is quick and offline.
set -euo pipefail

packages=(
  g++ libtsan2 make cmake ninja-build pkg-config doxygen
  zlib1g-dev libdeflate-dev libjpeg-dev libgif-dev libpng-dev libfltk1.3-dev libinih-dev
  libharfbuzz-dev libfribidi-dev libunibreak-dev libfontconfig-dev
  fonts-dejavu-core fonts-dejavu-extra fonts-noto-core fonts-wqy-microhei
  libgtest-dev libgmock-dev libbenchmark-dev
  qpdf ghostscript poppler-utils
  python3 fonts-urw-base35
  python3-dev pybind11-dev python3-pybind11 python3-pytest python3-setuptools python3-wheel python3-pip
  python3-venv python3-reportlab libcairo2-dev
  xvfb xauth xdotool imagemagick
)
if [ "${1:-}" = "--fuzz" ]; then
  packages+=(clang libclang-rt-14-dev)
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

if [ "${#missing[@]}" -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
  echo "These packages are missing and installing them needs root: ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
