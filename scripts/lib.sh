# Shared by the README's commands: building both targets and a headless Wine session.
# Sourced, not run. Every process started here is recorded and stopped by pid.
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD="$(realpath -m "${ELV_BUILD_DIR:-$ROOT/build}")"
export WINEPREFIX="$BUILD/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe="
export WINEARCH=win64
# Wine's 32-bit Windows DLLs, fetched by the bootstrap: with them the prefix runs the
# 32-bit release program beside the 64-bit builds.
export WINEDLLPATH="$BUILD/wine-i386/dlls"
STARTED_PIDS=()

# The 32-bit release tree alone: what ships on the medium.
build_release() {
    configure_release
    cmake --build "$BUILD/i686" -j "$(nproc)"
}

configure_release() {
    cmake -S "$ROOT" -B "$BUILD/i686" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake" \
          -DCMAKE_BUILD_TYPE=Release -DELV_TESTS=OFF >/dev/null
}

# The 64-bit tree, which holds the tests; the release tree beside it supplies the
# 32-bit programs some of them run.
configure_tests() {
    cmake -S "$ROOT" -B "$BUILD/x86_64" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-x86_64.cmake" \
          -DCMAKE_BUILD_TYPE=Release -DELV_TESTS=ON \
          -DELV_RELEASE_LAUNCHER="$BUILD/i686/app/Launcher.exe" \
          -DELV_RELEASE_GALLERY="$BUILD/i686/gallery/gallery.exe" \
          -DELV_RELEASE_BARE_DIALOG="$BUILD/i686/bench/BareDialog.exe" >/dev/null
}

build_targets() {
    build_release
    configure_tests
    cmake --build "$BUILD/x86_64" -j "$(nproc)"
}

stop_started() {
    local pid
    # The Wine processes of this run all belong to its prefix's server.
    if [ -n "${WINE_STARTED:-}" ]; then wineserver -k 2>/dev/null || true; WINE_STARTED=; fi
    for pid in "${STARTED_PIDS[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    for pid in "${STARTED_PIDS[@]}"; do
        for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
        kill -9 "$pid" 2>/dev/null || true
    done
    STARTED_PIDS=()
}

# Starts Xvfb on a free display unless DISPLAY names a live one.
ensure_display() {
    if [ -n "${DISPLAY:-}" ] && xdpyinfo_ok; then return; fi
    local n=90
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    STARTED_PIDS+=($!)
    export DISPLAY=":$n"
    for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$n" ] && return; sleep 0.05; done
    echo "Xvfb did not start on :$n" >&2
    return 1
}

xdpyinfo_ok() {
    # xdotool is installed by the bootstrap; it fails fast without a live display.
    xdotool getdisplaygeometry >/dev/null 2>&1
}

# Creates the Wine prefix under the build folder once; starts one wineserver that
# every Wine process of this run shares, so each starts in a fraction of a second.
start_wine() {
    # A prefix made before the 32-bit DLLs were in place cannot run 32-bit programs.
    if [ -f "$WINEPREFIX/system.reg" ] && [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/user32.dll" ] &&
       [ -d "$WINEDLLPATH/i386-windows" ]; then
        echo "remaking the Wine prefix so that it runs 32-bit programs too"
        rm -rf "$WINEPREFIX"
    fi
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        mkdir -p "$WINEPREFIX"
        wineboot -i >/dev/null 2>&1
        wineserver -w
        # Wine draws the window frames itself: there is no window manager here.
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
        wineserver -w
    fi
    wineserver -f -p &
    STARTED_PIDS+=($!)
    WINE_STARTED=1
    wine cmd /c exit 0 >/dev/null 2>&1 || true   # warm up the session services
}
