#!/usr/bin/env bash
# Installs every Debian package the project builds and tests with. Safe to run again.
set -euo pipefail
packages=(build-essential cmake ninja-build ccache clang-format libgtest-dev libgmock-dev
          libbenchmark-dev
          # the Qt platform layer, and the faces that stand in for Times New Roman and Arial
          qt6-base-dev libgl-dev libxcb1-dev fonts-liberation
          # end-to-end checks: a real X server, a CUPS queue that prints to PDF, PDF reading
          xvfb xauth x11-utils xdotool imagemagick cups cups-client cups-bsd printer-driver-cups-pdf poppler-utils)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi
