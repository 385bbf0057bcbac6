#!/usr/bin/env bash
# Installs what the build and the tests need, once: a second call finds everything
# in place and returns within a second. Only 64-bit Wine is installed; this kernel
# cannot run 32-bit Linux code, and a wine32 package would hijack the launcher.
set -euo pipefail

packages=(cmake make g++-mingw-w64-i686-posix g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-posix
          binutils-mingw-w64-i686 binutils-mingw-w64-x86-64 googletest
          python3 wine wine64 xvfb xauth imagemagick xdotool)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if ((${#missing[@]})); then
    echo "bootstrap: installing ${missing[*]}"
    sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

if dpkg --print-foreign-architectures | grep -qx i386; then
    echo "bootstrap: warning: the i386 architecture is enabled; 32-bit Wine cannot run here" >&2
fi
