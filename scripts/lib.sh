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

# The 64-bit benchmarks, with the release options: the test tree is hardened.
build_benchmarks() {
    cmake -S "$ROOT" -B "$BUILD/bench" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-x86_64.cmake" \
          -DCMAKE_BUILD_TYPE=Release -DELV_TESTS=OFF -DELV_BENCHMARKS=ON \
          -DELV_RELEASE_LAUNCHER="$BUILD/i686/app/Launcher.exe" \
          -DELV_RELEASE_BARE_DIALOG="$BUILD/i686/bench/BareDialog.exe" >/dev/null
    cmake --build "$BUILD/bench" -j "$(nproc)" --target wall_bench coded_combo_bench \
          coded_list_bench read_bench startup_bench
}

# The 64-bit tree, hardened, which holds the tests; the release tree beside it
# supplies the 32-bit programs some of them run, the benchmark tree its benchmarks.
configure_tests() {
    cmake -S "$ROOT" -B "$BUILD/x86_64" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-x86_64.cmake" \
          -DCMAKE_BUILD_TYPE=Release -DELV_TESTS=ON -DELV_HARDENED=ON \
          -DELV_BENCH_TREE="$BUILD/bench" \
          -DELV_RELEASE_LAUNCHER="$BUILD/i686/app/Launcher.exe" \
          -DELV_RELEASE_GALLERY="$BUILD/i686/gallery/gallery.exe" \
          -DELV_RELEASE_BARE_DIALOG="$BUILD/i686/bench/BareDialog.exe" >/dev/null
}

build_targets() {
    build_release
    build_benchmarks
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
    # A prefix made before the 32-bit DLLs were fetched lacks its 32-bit half: made
    # again once they are here. One made with them stays, even where this machine
    # could not fill that half (its kernel refusing 32-bit code): remaking it would
    # change nothing.
    local made_with="$WINEPREFIX/made-with-32-bit-dlls"
    if [ -f "$WINEPREFIX/system.reg" ] && [ ! -f "$made_with" ] && [ -d "$WINEDLLPATH/i386-windows" ]; then
        if [ -f "$WINEPREFIX/drive_c/windows/syswow64/user32.dll" ]; then
            touch "$made_with"
        else
            echo "remaking the Wine prefix, made before Wine's 32-bit DLLs were here"
            rm -rf "$WINEPREFIX"
        fi
    fi
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        mkdir -p "$WINEPREFIX"
        wineboot -i >/dev/null 2>&1
        wineserver -w
        # Wine draws the window frames itself: there is no window manager here.
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
        wineserver -w
        if [ -d "$WINEDLLPATH/i386-windows" ]; then touch "$made_with"; fi
        rm -f "$WINE32_ANSWER"
    fi
    # Wine draws the caption buttons with its Marlett font (fonts-wine), but this Wine
    # looks for its own fonts beside the data folder, where Debian does not put them:
    # the prefix's font folder gets a link. Only Marlett: Wine's other fonts are bitmap
    # stand-ins for the system's sans-serif faces, which would not scale with the screen.
    local marlett=/usr/share/wine/fonts/marlett.ttf fonts="$WINEPREFIX/drive_c/windows/Fonts"
    if [ -f "$marlett" ] && [ ! -e "$fonts/marlett.ttf" ]; then mkdir -p "$fonts" && ln -sf "$marlett" "$fonts/"; fi
    wineserver -f -p &
    STARTED_PIDS+=($!)
    WINE_STARTED=1
    # A program that faults (a trap of the hardened test tree) ends at once with the
    # fault's code, after Wine's one-line report: Wine's debugger, started by
    # default, waits here for a terminal that never answers.
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /t REG_SZ /d '' /f \
        >/dev/null 2>&1 || true   # also warms up the session services
}

# Whether this machine runs 32-bit Windows programs, asked once per build folder of a
# tiny 32-bit program that exits with code 32, and remembered: exports ELV_WINE32
# (yes or no) and ELV_WINE32_SAYS, a sentence for the user and for the skipped tests.
# Needs the release tree built and start_wine.
WINE32_ANSWER="$BUILD/wine32-answer.txt"
probe_wine32() {
    if [ ! -f "$WINE32_ANSWER" ]; then
        local code=0 attempt answer
        for attempt in 1 2 3; do   # a start refused just after another program ended is tried again
            code=0; timeout 60 wine "$BUILD/i686/tools/Probe32.exe" >/dev/null 2>&1 || code=$?
            [ "$code" = 32 ] && break
            sleep 0.5
        done
        if [ "$code" = 32 ]; then
            answer="yes"$'\n'"32-bit Windows programs run on this machine under Wine."
        elif [ ! -d "$WINEDLLPATH/i386-windows" ]; then
            answer="no"$'\n'"32-bit Windows programs cannot run here: Wine's 32-bit Windows DLLs are missing (the bootstrap could not fetch them)."
        else
            answer="no"$'\n'"32-bit Windows programs cannot run on this machine: its kernel refuses 32-bit code (a 32-bit test program did not start under Wine, exit code $code, though Wine's 32-bit DLLs are in place)."
        fi
        printf '%s\n' "$answer" > "$WINE32_ANSWER"
    fi
    ELV_WINE32=$(sed -n 1p "$WINE32_ANSWER")
    ELV_WINE32_SAYS=$(sed -n 2p "$WINE32_ANSWER")
    export ELV_WINE32 ELV_WINE32_SAYS
    echo "$ELV_WINE32_SAYS"
}

# wait_for_window TITLE_REGEX PID: sets WINDOW to the first window of that title
# within 30 s; otherwise fails, with WINDOW_MISSING saying why.
wait_for_window() {
    WINDOW= WINDOW_MISSING=
    for _ in $(seq 300); do
        WINDOW=$(xdotool search --name "$1" 2>/dev/null | head -n 1) && [ -n "$WINDOW" ] && return
        if ! kill -0 "$2" 2>/dev/null; then
            local code=0; wait "$2" || code=$?
            WINDOW_MISSING="the program ended with code $code before its window showed"; return 1
        fi
        sleep 0.1
    done
    WINDOW_MISSING="no window within 30 s"; return 1
}

# save_window_screenshot WINDOW FILE: saves what the window shows, and fails, saying
# so, when it shows nothing but one colour (a window Wine did not paint).
save_window_screenshot() {
    # The window's part of the screen: a capture of the window alone shows some of
    # Wine's child windows unpainted.
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$1")"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$2"
    if [ "$(convert "$2" -format %k info:)" -le 1 ]; then
        echo "the window shows nothing but one colour: $2 is not what a user would see" >&2
        return 1
    fi
}
