#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Montage need, when any is
# missing. Never prompts; runs apt-get update once, only when something must be installed.
set -euo pipefail

packages=(
  cmake ninja-build g++ git pkg-config
  qt6-base-dev qt6-svg-dev libjpeg62-turbo-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation2 fonts-dejavu-core fontconfig
  clang-format
  xvfb xauth xdotool dbus dbus-daemon at-spi2-core python3 python3-pyatspi
  libjpeg-turbo-progs imagemagick poppler-utils
  desktop-file-utils appstream dpkg-dev file
  libdeflate-dev zlib1g-dev
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
