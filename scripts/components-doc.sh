#!/usr/bin/env bash
# Writes docs/COMPONENTS.md again from the designer's palette, as `gallery --palette`
# prints it (the 64-bit build, under Wine). The test `gallery_palette` fails while
# the file and the program disagree.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
"$ROOT/scripts/bootstrap.sh"
configure_release
configure_tests
cmake --build "$BUILD/x86_64" -j "$(nproc)" --target gallery >/dev/null
trap stop_started EXIT
ensure_display
start_wine
doc="$ROOT/docs/COMPONENTS.md"
# Written beside the file and moved over it only when the program succeeded.
trap 'rm -f "$doc.new"; stop_started' EXIT
wine "$BUILD/x86_64/gallery/gallery.exe" --palette > "$doc.new"
mv "$doc.new" "$doc"
echo "written: $doc"
