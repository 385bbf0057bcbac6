#!/usr/bin/env bash
# Checks, without running it, that an executable is a 32-bit Windows GUI program within
# the release's size goal (512 KiB) that imports only DLLs that ship with Windows.
set -euo pipefail
exe=$1
[ -f "$exe" ] || { echo "missing: $exe"; exit 1; }
file_format=$(i686-w64-mingw32-objdump -f "$exe" | sed -n 's/.*file format //p')
[ "$file_format" = "pei-i386" ] || { echo "$exe is $file_format, not a 32-bit PE"; exit 1; }
headers=$(i686-w64-mingw32-objdump -p "$exe")
grep -Eq '^Subsystem[[:space:]]+00000002' <<<"$headers" || { echo "$exe is not a Windows GUI program"; exit 1; }
allowed='^(kernel32|user32|gdi32|comctl32|shell32|advapi32|msimg32|msvcrt|ole32|oleaut32|comdlg32|shlwapi)\.dll$'
status=0
while read -r dll; do
    if ! echo "$dll" | tr 'A-Z' 'a-z' | grep -Eq "$allowed"; then
        echo "non-system import: $dll"; status=1
    fi
done < <(sed -n 's/.*DLL Name: //p' <<<"$headers")
size=$(stat -c %s "$exe")
echo "$exe: PE32 GUI, $size bytes, imports: $(sed -n 's/.*DLL Name: //p' <<<"$headers" | tr '\n' ' ')"
target=$((512 * 1024))
if [ "$size" -gt "$target" ]; then echo "size: $((size - target)) bytes over the 512 KiB goal"; status=1; fi
exit $status
