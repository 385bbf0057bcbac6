#!/usr/bin/env bash
# Runs the random-input driver on a headless Wine session of its own, with the
# driver's own arguments; a failing run prints the command that replays it:
#   scripts/random-input.sh --program launcher --seed 1234 --events 4000 [--verbose]
set -euo pipefail
source "$(dirname "$0")/lib.sh"
"$ROOT/scripts/bootstrap.sh"
# The driver and the 64-bit programs it drives, nothing more.
configure_release
configure_tests
cmake --build "$BUILD/x86_64" -j "$(nproc)" --target random_input
trap stop_started EXIT
ensure_display
start_wine
wine "$BUILD/x86_64/tests/random_input.exe" "$@"
