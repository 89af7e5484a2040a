#!/usr/bin/env bash
# Configures and builds into build/ (or $BUILD_DIR); $BUILD_TARGET limits the build to one target.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} "$@"
if [ -n "${BUILD_TARGET:-}" ]; then
  cmake --build "$BUILD_DIR" -j"$(nproc)" --target "$BUILD_TARGET"
else
  cmake --build "$BUILD_DIR" -j"$(nproc)"
fi
