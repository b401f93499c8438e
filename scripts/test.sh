#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors and runs every test headless.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
. "$here/scripts/deps.sh"
orvella_install_deps

build="${ORVELLA_TEST_BUILD_DIR:-$here/build-test}"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DORVELLA_WERROR=ON -DORVELLA_BUILD_TESTS=ON
cmake --build "$build" -j "$(nproc)"
export QT_QPA_PLATFORM=offscreen
cd "$build"
ctest --output-on-failure -j "$(nproc)" --timeout 300
