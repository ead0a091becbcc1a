#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the build, the programs and the
# tests need and the machine lacks. Safe to run again: present packages are
# left alone and nothing is fetched when nothing is missing.
set -euo pipefail

packages=(
  # build
  g++ cmake make pkg-config
  # libraries
  qt6-base-dev libcurl4-openssl-dev libssl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  # the window's Chinese text: a Song (Ming) face and a fallback
  fonts-arphic-uming fonts-wqy-zenhei fontconfig
  # opening addresses in the desktop's browser
  xdg-utils
  # test servers, the proxy and certificates the tests make
  openssl tinyproxy python3 curl libcpp-httplib-dev
  # windows under a virtual display, screenshots and the dedup baseline
  xvfb xauth perl
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo=()
if [ "$(id -u)" -ne 0 ]; then
  sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
