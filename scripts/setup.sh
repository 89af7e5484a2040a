#!/usr/bin/env bash
# Installs the Debian packages the project needs; apt-get update runs only when one is missing.
set -euo pipefail
PACKAGES=(qt6-base-dev libqscintilla2-qt6-dev fonts-liberation2 xvfb xauth libxkbcommon-dev
          libgtest-dev libbenchmark-dev libpugixml-dev libtinyxml2-dev clang libclang-rt-dev cmake g++)
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
