#!/usr/bin/env bash
# Installs what is missing, builds Orvella and starts it. Arguments are handed to the program
# (a cover-set file to open, a /L=Language switch).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
. "$here/scripts/deps.sh"
orvella_install_deps

build="${ORVELLA_BUILD_DIR:-$here/build}"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVELLA_BUILD_TESTS=OFF
cmake --build "$build" -j "$(nproc)"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  # No display to show the window on: start a virtual one so the program still runs.
  orvella_install_deps xvfb xauth
  exec xvfb-run -a "$build/bin/orvella" "$@"
fi
exec "$build/bin/orvella" "$@"
