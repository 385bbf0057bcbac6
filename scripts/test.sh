#!/usr/bin/env bash
# The README's test command: installs what is missing, builds both targets, and runs
# every test under Wine on a headless display. Exits non-zero on any failure.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
"$ROOT/scripts/bootstrap.sh"
build_targets
trap stop_started EXIT
ensure_display
start_wine
cd "$BUILD/x86_64"
status=0
ctest --output-on-failure --timeout 300 "$@" || status=$?
exit $status
