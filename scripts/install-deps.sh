#!/usr/bin/env bash
# Installs what building, running and testing need on a fresh Debian machine (as root, or with sudo).
set -euo pipefail
packages=(
  build-essential cmake ninja-build
  qtbase5-dev libqt5charts5-dev libqt5opengl5-dev
  libgl1-mesa-dri libglx-mesa0 libgl-dev
  xvfb xauth fonts-dejavu-core
)
run() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  run apt-get update
  run env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi
