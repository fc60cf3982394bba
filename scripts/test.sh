#!/usr/bin/env bash
# Installs what the build needs, builds everything and runs the whole suite through CTest.
# Usage: scripts/test.sh [build-folder] [extra CMake arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
shift || true
scripts/install-deps.sh --test-tools
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVITRAIL_WERROR=ON "${launcher[@]}" "$@"
cmake --build "$build"
ctest --test-dir "$build" --output-on-failure
