#!/usr/bin/env bash
# The README's run command: builds the launcher, lays out a demo installation medium
# and starts the launcher from it under Wine, then saves a screenshot of its window.
#   scripts/launch.sh [--with-mdac] [--french] [--i686] [--dpi N]
# --dpi N shows it on a screen of N pixels per inch (the prefix's LogPixels, put back after).
# On the user's display when DISPLAY is set, else on a virtual display of its own
# (the launcher then closes after the screenshot). Exits non-zero when the window
# never shows or shows nothing.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
with_mdac=0
locale=${LC_ALL:-en_US.UTF-8}
build=x86_64
dpi=
while [ $# -gt 0 ]; do
    arg=$1; shift
    case "$arg" in
    --dpi)
        [[ "${1:-}" =~ ^[0-9]+$ ]] || { echo "--dpi needs a number of pixels per inch" >&2; exit 2; }
        dpi=$1; shift ;;
    --with-mdac) with_mdac=1 ;;
    --french) locale=fr_FR.UTF-8 ;;
    --i686) build=i686 ;;
    --x86_64) build=x86_64 ;;   # the default; kept for those who learned it
    *) echo "usage: $0 [--with-mdac] [--french] [--i686] [--dpi N]" >&2; exit 2 ;;
    esac
done
"$ROOT/scripts/bootstrap.sh"
# The release tree also holds the 32-bit probe; the 64-bit tree gives the launcher that
# Wine paints and the stand-in installer.
build_release >/dev/null
configure_tests
cmake --build "$BUILD/x86_64" -j "$(nproc)" --target Launcher SetupStandIn >/dev/null

trap stop_started EXIT
own_display=0
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo_ok; then own_display=1; unset DISPLAY; fi
ensure_display
start_wine
probe_wine32
if [ "$build" = i686 ] && [ "$ELV_WINE32" = no ]; then
    echo "launch: the shipped 32-bit launcher cannot run here; scripts/launch.sh without --i686 runs its 64-bit build" >&2
    exit 1
fi

# The medium's launcher is the 64-bit build of the same sources by default: Wine 8
# paints nothing inside a 32-bit window, even where it runs one. --i686 puts the
# shipped release program there instead.
medium="$BUILD/medium"
rm -rf "$medium" && mkdir -p "$medium"
cp "$BUILD/$build/app/Launcher.exe" "$medium/Launcher.exe"
cp "$BUILD/x86_64/tools/Setup.exe" "$medium/Setup.exe"
printf 'Elvarine installation medium (demo)\r\n\r\nRun Setup.exe to install Elvarine.\r\n' > "$medium/ReadMe.txt"
if [ "$with_mdac" = 1 ]; then cp "$BUILD/x86_64/tools/Setup.exe" "$medium/mdac_typ.exe"; fi
echo "demo medium: $medium ($build launcher)"
if [ "$build" = i686 ]; then
    echo "note: Wine 8 paints only the frame of a 32-bit window; without --i686 the window shows as it looks"
fi

shot="$BUILD/launcher-screenshot.png"
if [ -n "$dpi" ]; then
    desktop='HKCU\Control Panel\Desktop'
    saved=$(wine reg query "$desktop" /v LogPixels 2>/dev/null | sed -n 's/.*REG_DWORD[[:space:]]*0x\([0-9a-fA-F]*\).*/\1/p' || true)
    restore_density() {
        if [ -n "$saved" ]; then wine reg add "$desktop" /v LogPixels /t REG_DWORD /d $((16#$saved)) /f >/dev/null 2>&1
        else wine reg delete "$desktop" /v LogPixels /f >/dev/null 2>&1; fi
        stop_started
    }
    trap restore_density EXIT
    wine reg add "$desktop" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    shot="$BUILD/launcher-screenshot-${dpi}dpi.png"
fi
LC_ALL=$locale wine "$medium/Launcher.exe" &
launcher=$!
if ! wait_for_window '^Elvarine$' "$launcher"; then
    echo "launch: the launcher window did not show: $WINDOW_MISSING" >&2
    exit 1
fi
sleep 1   # its first paint
save_window_screenshot "$WINDOW" "$shot" || exit 1
echo "screenshot: $shot"
if [ "$own_display" = 1 ]; then
    kill "$launcher" 2>/dev/null || true
else
    wait "$launcher"
fi
