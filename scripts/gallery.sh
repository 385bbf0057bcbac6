#!/usr/bin/env bash
# Runs the component gallery: the seven Corvel controls on one form.
#   scripts/gallery.sh [--i686] [--screenshot FILE]
# The 64-bit build by default: Wine's 32-bit mode draws nothing inside a window, so
# --i686 (the release build) shows only the frame. On the user's display when DISPLAY
# is set; otherwise on a virtual display of its own, where it saves a screenshot
# (FILE, or build/gallery-screenshot.png) once the form has painted, and ends. Exits
# non-zero when the form never shows or shows nothing.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
tree=x86_64
shot=
while [ $# -gt 0 ]; do
    case "$1" in
    --i686) tree=i686 ;;
    --screenshot)
        [ $# -ge 2 ] || { echo "--screenshot needs a file name" >&2; exit 2; }
        shot=$(realpath -m "$2"); shift ;;
    *) echo "usage: $0 [--i686] [--screenshot FILE]" >&2; exit 2 ;;
    esac
    shift
done
"$ROOT/scripts/bootstrap.sh"
configure_release
cmake --build "$BUILD/i686" -j "$(nproc)" --target Probe32 >/dev/null
if [ "$tree" = x86_64 ]; then configure_tests; fi
cmake --build "$BUILD/$tree" -j "$(nproc)" --target gallery >/dev/null
exe="$BUILD/$tree/gallery/gallery.exe"
# The read-me its link opens, beside the program.
printf 'Corvel components gallery\r\n\r\nThe seven Corvel controls on one form: click a compartment of the wall,\r\nright-click it for its menu, pick colours, drag the bar, edit the producers.\r\n' \
    > "$(dirname "$exe")/ReadMe.txt"

trap stop_started EXIT
own_display=0
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo_ok; then own_display=1; unset DISPLAY; fi
if [ "$own_display" = 1 ] && [ -z "$shot" ]; then shot="$BUILD/gallery-screenshot.png"; fi
ensure_display
start_wine
probe_wine32
if [ "$tree" = i686 ] && [ "$ELV_WINE32" = no ]; then
    echo "gallery: the 32-bit gallery cannot run here; scripts/gallery.sh without --i686 runs its 64-bit build" >&2
    exit 1
fi
wine "$exe" &
gallery=$!
if [ -z "$shot" ]; then
    wait "$gallery"
    exit
fi
if ! wait_for_window '^Corvel components gallery$' "$gallery"; then
    echo "gallery: the gallery's form did not show: $WINDOW_MISSING" >&2
    exit 1
fi
# Wine takes the pointer to be at the screen's centre, over the wall, until it moves
# over one of its windows: on the caption, no hint covers the form in the picture.
xdotool mousemove --window "$WINDOW" 40 8 2>/dev/null || true
sleep 1.5 # the form paints once shown
save_window_screenshot "$WINDOW" "$shot" || exit 1
echo "screenshot: $shot"
kill "$gallery" 2>/dev/null || true
