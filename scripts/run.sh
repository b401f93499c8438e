#!/usr/bin/env bash
# Installs what is missing, builds Orvella and starts it. Arguments are handed to the program
# (a cover-set file to open, a /L=Language switch); with none it opens the sample cover set.
# With no display at all it shows what the program makes of the set instead: the batch tool
# prints it to a PDF and to PNG pictures under the build folder's out/ (ORVELLA_WINDOW=1
# starts the window on a virtual display instead).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
. "$here/scripts/deps.sh"
orvella_install_deps

build="${ORVELLA_BUILD_DIR:-$here/build}"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVELLA_BUILD_TESTS=OFF
cmake --build "$build" -j "$(nproc)"

sample="$build/bin/samples/Sample.ovc"
if [ $# -eq 0 ]; then
  set -- "$sample"
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  if [ -n "${ORVELLA_WINDOW:-}" ]; then
    # Asked for the window all the same: on a virtual display.
    orvella_install_deps xvfb xauth
    exec xvfb-run -a "$build/bin/orvella" "$@"
  fi
  set_file="$sample"
  language=()
  for arg in "$@"; do
    case "$arg" in
      /L=*|/l=*) language=(--language "${arg#*=}") ;;
      *) set_file="$arg" ;;
    esac
  done
  out="$build/out"
  name="$(basename "${set_file%.*}")"
  mkdir -p "$out"
  rm -f "$out/$name"/sheet-*.png
  "$build/bin/orvella-batch" "${language[@]}" --output "$out/$name.pdf" "$set_file"
  "$build/bin/orvella-batch" "${language[@]}" --png "$out/$name" --dpi 150 "$set_file"
  echo "No display: printed $set_file without a window."
  echo "  PDF:                $out/$name.pdf"
  echo "  first sheet as PNG: $out/$name/sheet-1.png"
  exit 0
fi
exec "$build/bin/orvella" "$@"
