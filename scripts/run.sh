#!/usr/bin/env bash
# Installs what is missing, builds and starts the editor.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
BIN="${BUILD_DIR:-build}/editor/varnholt"
if [ ! -x "$BIN" ]; then
  echo "The editor application is not built yet; the skin model and its tests are." >&2
  exit 0
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found. To run the editor without one: xvfb-run -a $BIN" >&2
  exit 1
fi
exec "$BIN" "$@"
