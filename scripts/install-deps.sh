#!/usr/bin/env bash
# Installs every Debian package the project builds and tests with. Safe to run again.
set -euo pipefail
packages=(build-essential cmake ninja-build ccache clang-format libgtest-dev libgmock-dev
          libbenchmark-dev
          # the Qt platform layer, and the faces that stand in for Times New Roman and Arial
          qt6-base-dev qt6-svg-dev libgl-dev libxcb1-dev fonts-liberation
          # the planning file reader, and the examples in C and Python
          nlohmann-json3-dev python3
          # the Python module: its install into a virtual environment, offline
          python3-venv python3-setuptools python3-wheel
          # end-to-end checks: a real X server and a window manager, a CUPS queue that prints
          # to PDF, PDF reading, a real browser for the HTML page
          xvfb xauth x11-utils xdotool imagemagick twm cups cups-client cups-bsd printer-driver-cups-pdf
          poppler-utils chromium
          # the fuzz targets: clang with libFuzzer and its sanitizer runtimes
          clang libclang-rt-14-dev)
# The browser check runs on Node.js: the machine's own, or Debian's.
command -v node >/dev/null || packages+=(nodejs)
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
