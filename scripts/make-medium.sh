#!/usr/bin/env bash
# Makes Elvarine's installation medium: a folder and an ISO 9660 image of it.
set -euo pipefail
source "$(dirname "$0")/lib.sh"

usage() {
    cat <<'EOF'
usage: scripts/make-medium.sh --setup FILE [--mdac FILE] [--readme FILE] --out DIR

Writes DIR/Elvarine/ (the medium folder) and DIR/Elvarine.iso (an ISO 9660 image with
Joliet names, volume label ELVARINE). The medium holds the 32-bit release launcher
(built when needed), an autorun.inf that starts it, ReadMe.txt, Setup.exe and, with
--mdac, mdac_typ.exe.

  --setup FILE   the product's installer (a Windows program), copied as Setup.exe
  --mdac FILE    the data access components' installer, copied as mdac_typ.exe
  --readme FILE  the read-me, copied as ReadMe.txt (a demo read-me when not given)
  --out DIR      where the folder and the image go (created when missing)
EOF
}

fail() { echo "make-medium: $*" >&2; exit 1; }

setup= mdac= readme= out=
while (($#)); do
    case "$1" in
    --help|-h) usage; exit 0 ;;
    --setup|--mdac|--readme|--out)
        (($# >= 2)) || { usage >&2; fail "$1 needs a value"; }
        declare "${1#--}=$2"; shift 2 ;;
    *) usage >&2; fail "unknown argument: $1" ;;
    esac
done
[ -n "$setup" ] || { usage >&2; fail "--setup is required"; }
[ -n "$out" ] || { usage >&2; fail "--out is required"; }

# A Windows program starts with "MZ", and the DOS header's e_lfanew (offset 0x3c,
# little-endian) points at the "PE\0\0" signature.
is_windows_program() {
    local file=$1 pe_offset
    [ "$(head -c 2 "$file")" = MZ ] || return 1
    pe_offset=$(od -An -tu4 -j 60 -N 4 "$file" 2>/dev/null | tr -d ' ')
    [ -n "$pe_offset" ] || return 1
    [ "$(od -An -tx1 -j "$pe_offset" -N 4 "$file" 2>/dev/null | tr -d ' ')" = 50450000 ]
}

check_installer() {
    local option=$1 file=$2
    [ -f "$file" ] || fail "$option: no such file: $file"
    [ -r "$file" ] || fail "$option: cannot read $file"
    is_windows_program "$file" || fail "$option: $file is not a Windows program (no MZ/PE signature)"
}
check_installer --setup "$setup"
[ -z "$mdac" ] || check_installer --mdac "$mdac"
if [ -n "$readme" ]; then
    [ -f "$readme" ] && [ -r "$readme" ] || fail "--readme: cannot read $readme"
fi
mkdir -p "$out" 2>/dev/null && [ -d "$out" ] && [ -w "$out" ] || fail "--out: cannot write to $out"

"$ROOT/scripts/bootstrap.sh" >&2
launcher="$BUILD/i686/app/Launcher.exe"
build_log=$(build_release 2>&1) || { echo "$build_log" >&2; fail "building the launcher failed"; }
[ -f "$launcher" ] || fail "the build made no $launcher"

# Everything is made under temporary names in DIR and moved into place at the end:
# a failure leaves no half-written image and keeps the previous medium as it was.
folder="$out/Elvarine" image="$out/Elvarine.iso"
staging=$(mktemp -d "$out/.Elvarine.XXXXXX") || fail "--out: cannot write to $out"
staged_image="$staging.iso"
trap 'rm -rf "$staging" "$staged_image"' EXIT

cp "$launcher" "$staging/Launcher.exe"
cp "$setup" "$staging/Setup.exe"
[ -z "$mdac" ] || cp "$mdac" "$staging/mdac_typ.exe"
if [ -n "$readme" ]; then
    cp "$readme" "$staging/ReadMe.txt"
else
    printf 'Elvarine installation medium (demo)\r\n\r\nRun Setup.exe to install Elvarine.\r\n' \
        > "$staging/ReadMe.txt"
fi
printf '[autorun]\r\nopen=Launcher.exe\r\nicon=Launcher.exe,0\r\nlabel=Elvarine\r\n' \
    > "$staging/autorun.inf"
chmod 755 "$staging"

xorriso -as mkisofs -quiet -V ELVARINE -J -joliet-long -r -o "$staged_image" "$staging" >&2 ||
    fail "xorriso could not write the image"

# Should a rename fail, the previous folder stays beside as Elvarine.old.
rm -rf "$folder.old"
[ ! -e "$folder" ] || mv "$folder" "$folder.old"
mv "$staging" "$folder"
mv "$staged_image" "$image"
rm -rf "$folder.old"
echo "medium folder: $folder"
echo "medium image:  $image"
