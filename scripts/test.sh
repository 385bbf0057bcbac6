#!/usr/bin/env bash
# The README's test command: installs what is missing, builds both targets, and runs
# every test under Wine on a headless display. Exits non-zero on any failure. Where
# this machine cannot run 32-bit programs, their tests are skipped, and the last line
# counts them and says why.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
"$ROOT/scripts/bootstrap.sh"
build_targets
trap stop_started EXIT
ensure_display
start_wine
probe_wine32
cd "$BUILD/x86_64"
status=0
ctest --output-on-failure --timeout 300 "$@" | tee "$BUILD/ctest.log" || status=$?
# CTest lists each entry that did not run as "  N - name (Skipped)".
skipped=$(sed -n 's/^[[:space:]]*[0-9]* - \(.*\) (Skipped)$/\1/p' "$BUILD/ctest.log" | tr '\n' ' ')
if [ -n "$skipped" ]; then
    why="they skipped themselves (ctest -V -R NAME in $BUILD/x86_64 shows why)"
    [ "$ELV_WINE32" = no ] && why=$ELV_WINE32_SAYS
    echo "skipped: $(wc -w <<<"$skipped") entries (${skipped% }), neither passed nor failed: $why"
fi
exit $status
