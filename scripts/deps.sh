#!/usr/bin/env bash
# Installs the Debian packages Orvella needs to build, test and run, when any is missing.
# Sourced by run.sh and test.sh; safe to run again (it does nothing when all are present).
set -euo pipefail

ORVELLA_PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-image-formats-plugins qt6-gtk-platformtheme
  qt6-translations-l10n
  libgl-dev
  libwmf-dev libemf2svg-dev fonts-urw-base35 fonts-dejavu-core
  libtag1-dev libjpeg62-turbo-dev
  shared-mime-info desktop-file-utils xdg-utils libglib2.0-bin
  poppler-utils
  appstream dpkg-dev
)

orvella_install_deps() {
  local missing=()
  local p
  for p in "${ORVELLA_PACKAGES[@]}" "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$p")
    fi
  done
  if [ ${#missing[@]} -eq 0 ]; then
    return 0
  fi
  echo "Installing: ${missing[*]}"
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
