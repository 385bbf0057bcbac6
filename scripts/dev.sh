#!/usr/bin/env bash
# For day-to-day work: builds the x86_64 tree only (optionally one target) and runs
# CTest with the given arguments under a headless Wine session of its own.
#   ELV_BUILD_DIR=build-mine ELV_TARGET=core_tests scripts/dev.sh -R core
set -euo pipefail
source "$(dirname "$0")/lib.sh"
cmake -S "$ROOT" -B "$BUILD/x86_64" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-x86_64.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DELV_TESTS=ON >/dev/null
cmake --build "$BUILD/x86_64" -j "$(nproc)" ${ELV_TARGET:+--target $ELV_TARGET}
trap stop_started EXIT
ensure_display
start_wine
cd "$BUILD/x86_64"
ctest --output-on-failure "$@"
