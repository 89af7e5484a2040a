#!/usr/bin/env bash
# Builds a Debug copy under AddressSanitizer and UndefinedBehaviorSanitizer into build-asan/ (or
# $BUILD_DIR) and runs every test there; any report fails its test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
BUILD_DIR=${BUILD_DIR:-build-asan}
SAN="-fsanitize=address,undefined"
cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=Debug -DVARNHOLT_BUILD_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="$SAN -fno-omit-frame-pointer -fno-sanitize-recover=undefined" \
  -DCMAKE_EXE_LINKER_FLAGS="$SAN" "$@"
cmake --build "$BUILD_DIR" -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1
ctest --test-dir "$BUILD_DIR" --output-on-failure -j"$(nproc)" --timeout 1800
