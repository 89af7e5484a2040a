#!/usr/bin/env bash
# Installs what is missing, builds and starts the editor.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
BUILD_TARGET=varnholt scripts/build.sh
BIN="${BUILD_DIR:-build}/editor/varnholt"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found. To run the editor without one: xvfb-run -a $BIN" >&2
  exit 1
fi
exec "$BIN" "$@"
