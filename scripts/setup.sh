#!/usr/bin/env bash
# Installs every Debian package the game, its tests and its tools need.
# Safe to run again: only missing packages are installed.
set -euo pipefail

packages=(
  cmake g++ pkg-config make
  qt6-base-dev libqt6opengl6-dev qt6-base-dev-tools
  libgl-dev libegl-dev libglu1-mesa-dev libglew-dev libdevil-dev
  libboost-dev libboost-filesystem-dev
  libopenal-dev libsndfile1-dev
  xvfb xauth libgl1-mesa-dri mesa-vulkan-drivers
  libgtest-dev libbenchmark-dev libtinyobjloader-dev
  clang-14 libclang-rt-14-dev
  imagemagick xdotool x11-apps
  lintian appstream desktop-file-utils man-db
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
