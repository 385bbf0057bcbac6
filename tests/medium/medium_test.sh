#!/usr/bin/env bash
# Makes media with scripts/make-medium.sh and reads them back with the ISO tool (image),
# or starts the launcher from a medium as the user's drive (drive):
#   medium_test.sh image|drive STAND_IN_SETUP_EXE RELEASE_LAUNCHER_EXE
# The release launcher must be the one of the build tree that ELV_BUILD_DIR names.
set -uo pipefail
part=$1 setup=$2 launcher=$3
make_medium="$(cd "$(dirname "$0")/../.." && pwd)/scripts/make-medium.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
check() { # check DESCRIPTION COMMAND...
    if ! "${@:2}"; then echo "FAILED: $1" >&2; failures=$((failures + 1)); fi
}
# Reads the image's Joliet tree, as Windows does (without one: the upper-case 8.3 names).
iso() { xorriso -read_fs norock -indev "$1" "${@:2}" 2>/dev/null; }
joliet_files() { iso "$1" -find / -type f | tr -d "'" | sort | tr '\n' ' '; }
same_bytes() { cmp -s "$1" "$2"; }
image_file() { # image_file IMAGE NAME -> the file's bytes from the image, extracted
    rm -f "$work/extracted"
    iso "$1" -osirrox on -extract "/$2" "$work/extracted" >/dev/null && cat "$work/extracted"
}

if [ "$part" = drive ] && [ "${ELV_WINE32:-}" = no ]; then
    echo "skipped: ${ELV_WINE32_SAYS:-32-bit Windows programs cannot run on this machine.}"
    exit 77
fi
least="$work/least"
check "a medium without mdac or read-me is made" "$make_medium" --setup "$setup" --out "$least"
if [ "$part" = image ]; then
# A full medium: both installers and a read-me of our own.
printf 'Lisez-moi\r\n' > "$work/readme.txt"
cp "$setup" "$work/mdac.exe" && printf 'mdac' >> "$work/mdac.exe"   # differs from Setup.exe
full="$work/full"
check "a full medium is made" "$make_medium" --setup "$setup" --mdac "$work/mdac.exe" \
    --readme "$work/readme.txt" --out "$full"
image="$full/Elvarine.iso"
check "the volume label is ELVARINE" \
    grep -qx 'Volume Id    : ELVARINE' <(iso "$image" -pvd_info)
check "the image lists exactly the medium's files under their Joliet names" \
    [ "$(joliet_files "$image")" = "/Launcher.exe /ReadMe.txt /Setup.exe /autorun.inf /mdac_typ.exe " ]
declare -A sources=([Launcher.exe]=$launcher [Setup.exe]=$setup [mdac_typ.exe]=$work/mdac.exe
                    [ReadMe.txt]=$work/readme.txt)
for name in "${!sources[@]}"; do
    check "$name in the image is its source byte for byte" \
        same_bytes <(image_file "$image" "$name") "${sources[$name]}"
    check "$name in the folder is its source byte for byte" same_bytes "$full/Elvarine/$name" "${sources[$name]}"
done
image_file "$image" autorun.inf > "$work/autorun.inf"
check "autorun.inf starts the launcher and shows its icon, in Windows line ends" \
    same_bytes "$work/autorun.inf" \
    <(printf '[autorun]\r\nopen=Launcher.exe\r\nicon=Launcher.exe,0\r\nlabel=Elvarine\r\n')

# The least medium: no data access components, the demo read-me.
check "the least medium holds no mdac_typ.exe" \
    [ "$(joliet_files "$least/Elvarine.iso")" = "/Launcher.exe /ReadMe.txt /Setup.exe /autorun.inf " ]
check "the demo read-me tells to run Setup.exe" grep -q 'Run Setup.exe' <(image_file "$least/Elvarine.iso" ReadMe.txt)

# Bad input: a clear message, a non-zero exit, and the medium already in DIR kept as it was.
cp "$least/Elvarine.iso" "$work/kept.iso"
printf 'not a program\r\n' > "$work/text.exe"
printf 'MZ' > "$work/bare-mz.exe"; head -c 100 /dev/zero >> "$work/bare-mz.exe"
refused() { # refused DESCRIPTION EXPECTED_MESSAGE ARGUMENTS...
    local message status=0
    message=$("$make_medium" "${@:3}" 2>&1 >/dev/null) || status=$?
    check "$1: refused" [ "$status" -ne 0 ]
    check "$1: says '$2' (said: $message)" grep -qF -- "$2" <<<"$message"
    check "$1: the medium in place is kept" same_bytes "$least/Elvarine.iso" "$work/kept.iso"
    check "$1: nothing half-written is left" [ "$(ls -A "$least" | tr '\n' ' ')" = "Elvarine Elvarine.iso " ]
}
refused "a missing installer" "no such file: $work/none.exe" --setup "$work/none.exe" --out "$least"
refused "a text file as installer" "is not a Windows program" --setup "$work/text.exe" --out "$least"
refused "an MZ header without PE" "is not a Windows program" --setup "$work/bare-mz.exe" --out "$least"
refused "a text file as mdac" "--mdac: $work/text.exe is not a Windows program" \
    --setup "$setup" --mdac "$work/text.exe" --out "$least"
refused "a missing read-me" "--readme: cannot read" --setup "$setup" --readme "$work/none.txt" --out "$least"
refused "no --out" "--out is required" --setup "$setup"
refused "an output path under a file" "cannot write to $work/text.exe/medium" \
    --setup "$setup" --out "$work/text.exe/medium"
# The ISO tool failing half-way: its partial image must not take the medium's place.
mkdir "$work/failing-tools"
cat > "$work/failing-tools/xorriso" <<'TOOL'
#!/bin/sh
while [ $# -gt 0 ]; do [ "$1" = -o ] && printf 'half an image' > "$2"; shift; done
echo "xorriso: write error" >&2; exit 5
TOOL
chmod +x "$work/failing-tools/xorriso"
PATH="$work/failing-tools:$PATH" refused "the ISO tool failing" "xorriso could not write the image" \
    --setup "$setup" --out "$least"
check "the ISO tool failing: the medium folder in place is kept" \
    same_bytes "$least/Elvarine/Setup.exe" "$setup"
fi

if [ "$part" = drive ]; then
# The image as the user's drive M: the launcher at its root starts M:\Setup.exe on key 1.
# Wine and the display are the ones scripts/test.sh started for the run.
window_named() { # window_named TITLE -> the first window with that title, waiting up to 30 s
    local id
    for _ in $(seq 300); do
        id=$(xdotool search --name "^$1\$" 2>/dev/null | head -n 1) && [ -n "$id" ] && { echo "$id"; return; }
        sleep 0.1
    done
    return 1
}
press() { xdotool windowfocus --sync "$1" 2>/dev/null; xdotool key "$2"; }
drive="$work/drive" link="${WINEPREFIX:?run through scripts/test.sh}/dosdevices/m:"
mkdir "$drive" && iso "$least/Elvarine.iso" -osirrox on -extract / "$drive" >/dev/null && chmod -R u+w "$drive"
ln -sfn "$drive" "$link"
trap 'rm -f "$link"; rm -rf "$work"' EXIT
wine 'M:\Launcher.exe' &
launcher=$!
if window=$(window_named Elvarine); then
    press "$window" 1
    for _ in $(seq 300); do [ -f "$drive/setup-started.txt" ] && break; sleep 0.1; done
    check "key 1 at the drive root started the medium's Setup.exe" [ -f "$drive/setup-started.txt" ]
    if standin=$(window_named 'Elvarine Setup \(stand-in\)'); then press "$standin" Return; fi
    press "$window" Escape
    # A loaded machine may take seconds to close the stand-in and end the launcher.
    for _ in $(seq 300); do kill -0 "$launcher" 2>/dev/null || break; sleep 0.1; done
    kill "$launcher" 2>/dev/null   # still running: Escape did not end it, and the check fails
    status=0; wait "$launcher" || status=$?
    check "the launcher at the drive root ends cleanly on Escape (exit $status)" [ "$status" -eq 0 ]
else
    check "the launcher shows from the drive root" false
    kill "$launcher" 2>/dev/null
fi

fi

((failures == 0)) && echo "medium ($part): all checks passed"
exit $((failures > 0))
