#!/usr/bin/env bash
# The README's run command: builds the launcher, lays out a demo installation medium
# and starts the launcher from it under Wine, then saves a screenshot of the window.
#   scripts/launch.sh [--with-mdac] [--french] [--x86_64]
# On the user's display when DISPLAY is set, else on a virtual display of its own
# (the launcher then closes after the screenshot).
set -euo pipefail
source "$(dirname "$0")/lib.sh"
with_mdac=0
locale=${LC_ALL:-en_US.UTF-8}
build=i686
for arg in "$@"; do
    case "$arg" in
    --with-mdac) with_mdac=1 ;;
    --french) locale=fr_FR.UTF-8 ;;
    --x86_64) build=x86_64 ;;
    *) echo "usage: $0 [--with-mdac] [--french] [--x86_64]" >&2; exit 2 ;;
    esac
done
"$ROOT/scripts/bootstrap.sh"
build_targets >/dev/null

# The medium carries the 32-bit release program, as it ships. Wine 8 runs it in its
# 32-bit mode, where drawing on a device context fails: the window shows its frame
# and nothing inside. --x86_64 puts the 64-bit build of the same sources in its place,
# which Wine paints faithfully.
medium="$BUILD/medium"
rm -rf "$medium" && mkdir -p "$medium"
cp "$BUILD/$build/app/Launcher.exe" "$medium/Launcher.exe"
cp "$BUILD/x86_64/tools/Setup.exe" "$medium/Setup.exe"
printf 'Elvarine installation medium (demo)\r\n\r\nRun Setup.exe to install Elvarine.\r\n' > "$medium/ReadMe.txt"
if [ "$with_mdac" = 1 ]; then cp "$BUILD/x86_64/tools/Setup.exe" "$medium/mdac_typ.exe"; fi
echo "demo medium: $medium ($build launcher)"
if [ "$build" = i686 ]; then
    echo "note: Wine 8 paints only the frame of a 32-bit window; --x86_64 shows the window as it looks"
fi

trap stop_started EXIT
own_display=0
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo_ok; then own_display=1; unset DISPLAY; fi
ensure_display
start_wine
LC_ALL=$locale wine "$medium/Launcher.exe" &
launcher=$!
shot="$BUILD/launcher-screenshot.png"
window=
for _ in $(seq 100); do
    window=$(xdotool search --name '^Elvarine$' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
    sleep 0.1
done
sleep 1
if [ -n "$window" ]; then
    import -window "$window" "$shot"
else
    echo "the launcher window did not show; the whole screen is saved instead" >&2
    import -window root "$shot"
fi
echo "screenshot: $shot"
if [ "$own_display" = 1 ]; then
    kill "$launcher" 2>/dev/null || true
else
    wait "$launcher"
fi
