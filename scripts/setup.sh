#!/usr/bin/env bash
# Installs the Debian packages the project builds, tests and runs with. Idempotent: when every
# package is already there it only checks and returns.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libgl-dev
  libsqlite3-dev sqlite3
  postgresql libpq-dev postgresql-client
  libgtest-dev libgmock-dev libbenchmark-dev
  libicu-dev
  fonts-ipafont-mincho fonts-ipafont-gothic
  openbox wmctrl
  poppler-utils python3
  xvfb xdotool imagemagick
  libxlsxwriter-dev libreoffice-calc-nogui
  ibus ibus-anthy python3-gi gir1.2-ibus-1.0 dbus-x11 libglib2.0-bin
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  echo "Installing: ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
