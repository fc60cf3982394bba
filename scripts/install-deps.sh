#!/usr/bin/env bash
# Installs the Debian packages the project needs. Safe to run again; uses sudo when not root.
# Usage: scripts/install-deps.sh               what building the library and the command needs
#        scripts/install-deps.sh --test-tools  that, and what the tests, the sanitizer and fuzz
#                                              builds, the format check and the API reference need
set -euo pipefail
outils_de_test=false
case ${1:-} in
    "") ;;
    --test-tools) outils_de_test=true ;;
    *) echo "usage: $0 [--test-tools]" >&2; exit 2 ;;
esac
packages=(build-essential cmake ninja-build ccache pkg-config
          # the Qt platform layer, its French texts, and the faces that stand in for Times New
          # Roman and Arial
          qt6-base-dev qt6-svg-dev qt6-translations-l10n libgl-dev libxcb1-dev fonts-liberation
          # the planning file reader
          nlohmann-json3-dev)
if $outils_de_test; then
    packages+=(clang-format libgtest-dev libgmock-dev libbenchmark-dev
               # reading the streams of the PDFs the tests compare
               zlib1g-dev
               # Thai, Devanagari and Chinese faces, so that the measures of Thai and
               # Devanagari are checked against their real shaping, and those of ideographs
               # drawn by another font than the text's; faces that kern brackets with letters
               fonts-thai-tlwg fonts-lohit-deva fonts-wqy-microhei fonts-urw-base35
               # the examples in C and Python, the Python module's install into a virtual
               # environment, offline
               python3 python3-venv python3-setuptools python3-wheel
               # end-to-end checks: a real X server and a window manager, a CUPS queue that
               # prints to PDF, PDF reading, a real browser for the HTML page, a terminal for
               # the progress line
               xvfb xauth x11-utils xdotool imagemagick twm cups cups-client cups-bsd
               printer-driver-cups-pdf poppler-utils chromium bsdutils man-db
               # the fuzz targets: clang with libFuzzer and its sanitizer runtimes
               clang libclang-rt-14-dev
               # the API reference
               doxygen)
    # The browser check runs on Node.js: the machine's own, or Debian's.
    command -v node >/dev/null || packages+=(nodejs)
fi
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
