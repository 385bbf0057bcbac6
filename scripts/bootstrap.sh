#!/usr/bin/env bash
# Installs what the build and the tests need, once: a second call finds everything
# in place and returns within a second. Only 64-bit Wine is installed; this kernel
# cannot run 32-bit Linux code, and a wine32 package would hijack the launcher.
set -euo pipefail
source "$(dirname "$0")/lib.sh"

packages=(cmake make g++-mingw-w64-i686-posix g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-posix
          binutils-mingw-w64-i686 binutils-mingw-w64-x86-64 googletest
          python3 wine wine64 fonts-wine xvfb xauth imagemagick xdotool xorriso)

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

# 64-bit Wine runs 32-bit Windows programs once it finds Wine's 32-bit Windows DLLs.
# They come from Debian's i386 libwine of the installed version, downloaded through
# an apt configuration of our own (the machine's architectures stay as they are)
# and unpacked, never installed, under the build folder. WINEDLLPATH (lib.sh) names
# a folder holding them as i386-windows beside the installed Wine's own Unix side,
# which Wine looks for next to them.
fetch_wine_i386_dlls() {
    local version unix_side store package
    version=$(dpkg-query -W -f='${Version}' libwine:amd64)
    unix_side=$(dpkg-query -L libwine:amd64 | grep '/wine/x86_64-unix$')
    store="$BUILD/wine-i386"
    package="$store/libwine-$version"
    if [ ! -f "$package/complete" ]; then
        local started=$SECONDS origin apt_dir
        # The archive the installed libwine came from, as "URI suite/component".
        origin=$(apt-cache policy libwine:amd64 |
                 awk '/^ \*\*\* /{mine=1; next} /^ +[0-9]+ +[a-z]+:\/\// && mine && !found {print $2, $3; found=1}
                      /^ [^ ]/{mine=0}')
        [ -n "$origin" ] || origin="http://deb.debian.org/debian $(. /etc/os-release; echo "$VERSION_CODENAME")/main"
        rm -rf "$store"
        apt_dir="$store/apt"
        mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$package"
        local uri=${origin%% *} suite=${origin#* }
        echo "deb [arch=i386] $uri ${suite%%/*} ${suite#*/}" > "$apt_dir/sources.list"
        local apt=(apt-get -qq -o APT::Architectures::=i386 -o Dir::State::Lists="$apt_dir/lists"
                   -o Dir::Cache="$apt_dir/cache" -o Dir::Etc::SourceList="$apt_dir/sources.list"
                   -o Dir::Etc::SourceParts=/dev/null -o APT::Sandbox::User="$(id -un)")
        echo "bootstrap: fetching Wine's 32-bit Windows DLLs (libwine:i386 $version)"
        if ! "${apt[@]}" update || ! (cd "$apt_dir" && "${apt[@]}" download "libwine:i386=$version"); then
            echo "bootstrap: could not download libwine:i386 $version from $uri" >&2
            return 1
        fi
        dpkg-deb --fsys-tarfile "$apt_dir"/libwine_*_i386.deb |
            tar -x -C "$package" --wildcards './usr/lib/*/wine/i386-windows'
        rm -rf "$apt_dir"   # the package and the lists are not needed again
        touch "$package/complete"
        echo "bootstrap: 32-bit Windows DLLs in place in $((SECONDS - started)) s"
    fi
    mkdir -p "$WINEDLLPATH"
    local dlls; dlls=$(cd "$store" && echo "libwine-$version"/usr/lib/*/wine/i386-windows)
    ln -sfn "../$dlls" "$WINEDLLPATH/i386-windows"
    ln -sfn "$unix_side" "$WINEDLLPATH/x86_64-unix"
}
fetch_wine_i386_dlls
