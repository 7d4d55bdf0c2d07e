#!/usr/bin/env bash
# Installs what the build, the tests and the desktop application need, from
# Debian's packages. Does nothing when everything is already there.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libgmock-dev googletest libbenchmark-dev zlib1g-dev
  clang libclang-rt-14-dev
  qt6-base-dev qt6-svg-dev libgl-dev
  fonts-noto-cjk xvfb xauth imagemagick
  locales
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
