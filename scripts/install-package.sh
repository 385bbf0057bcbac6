#!/usr/bin/env bash
# Installs the Corvel package for a product team: scripts/install-package.sh PREFIX.
# Builds the framework and the components for i686 (the release tree) and for x86_64
# (a tree without the tests, so without their object counters) and installs both
# under PREFIX, where find_package(Corvel CONFIG) finds them.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
[ $# = 1 ] || { echo "usage: $0 PREFIX" >&2; exit 2; }
prefix=$(realpath -m "$1")
"$ROOT/scripts/bootstrap.sh"
configure_release
cmake -S "$ROOT" -B "$BUILD/x86_64-package" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-x86_64.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DELV_TESTS=OFF >/dev/null
for tree in "$BUILD/i686" "$BUILD/x86_64-package"; do
    cmake --build "$tree" -j "$(nproc)" --target framework components
    cmake --install "$tree" --prefix "$prefix" >/dev/null
done
echo "installed: Corvel for i686 and x86_64 under $prefix"
echo "toolchains: $prefix/share/corvel/toolchains/mingw-i686.cmake, mingw-x86_64.cmake"
