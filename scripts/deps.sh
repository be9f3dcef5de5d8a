#!/usr/bin/env bash
# Installs the Debian 12 packages TAVO needs to build, test and run (as root),
# and any further packages named as arguments, when they are missing.
set -euo pipefail
packages=(cmake ninja-build g++ qt6-base-dev qt6-svg-dev qt6-multimedia-dev qt6-qpa-plugins
          libgl-dev libx11-dev libxcb-sync-dev libxcb-present-dev libxcb-damage0-dev
          libwayland-dev wayland-protocols qt6-base-private-dev
          fonts-dejavu-core fonts-liberation2 poppler-utils
          weston qt6-wayland xvfb libxtst-dev at-spi2-core python3-pyatspi dbus-x11 strace "$@")
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
