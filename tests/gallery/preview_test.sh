#!/usr/bin/env bash
# gallery --preview, from outside as a team uses it: preview_test.sh GALLERY SHOW_AND_CLOSE SOURCE WORK.
# Each case previews a form resource and checks the exit code, what the standard error
# says, and the screenshot ImageMagick reads back; the last shows a form live and
# closes it as a user would.
set -uo pipefail
gallery=$1 check=$2 src=$3 work=$4
rm -rf "$work"; mkdir -p "$work"
first=$src/examples/first-form/WF_FirstForm.form
# A property misspelt on a known line: the reader's error must name both.
sed 's/NbCaseWidth = 10/NbCaseWidht = 10/' "$first" > "$work/WF_Broken.form"
broken_line=$(grep -n NbCaseWidht "$work/WF_Broken.form" | cut -d: -f1)
# One handler wired twice, spelt two ways: named once.
sed 's/^    Sorted = true$/&\n    OnClick = WineClick\n    OnDblClick = wineclick/' "$first" > "$work/WF_Handlers.form"
failures=0

# name | form | exit code | smallest screenshot width (0: none asked) | what stderr says, "|"-separated
cases=(
    "first form|$first|0|520|"
    "launcher's form|$src/app/WF_Installation.form|0|300|the event handler FormKeyPress is|the event handler LabelBeforeLaunchLink is|the picture ELVARINE_BANNER is"
    "gallery's form|$src/gallery/WF_Gallery.form|0|760|the event handler WallDrawing is"
    "misspelt property|$work/WF_Broken.form|2|0|WF_Broken.form line $broken_line: unknown property \"NbCaseWidht\" of TWineWall WW_Cellar"
    "one handler twice|$work/WF_Handlers.form|0|520|the event handler WineClick is|event handler"
    "missing file|$work/none.form|2|0|none.form"
)
for entry in "${cases[@]}"; do
    IFS='|' read -r -a c <<<"$entry"
    name=${c[0]} form=${c[1]} want=${c[2]} width=${c[3]}
    shot=$work/${name// /_}.png
    args=(--preview "$(winepath -w "$form")")
    [ "$width" != 0 ] && args+=(--screenshot "$(winepath -w "$shot")")
    code=0; wine "$gallery" "${args[@]}" >"$work/out.txt" 2>"$work/err.txt" </dev/null || code=$?
    before=$failures
    fail() { echo "FAIL $name: $*"; echo "  stderr: $(cat "$work/err.txt")"; failures=$((failures + 1)); }
    [ "$code" = "$want" ] || fail "exit code $code, expected $want"
    for said in "${c[@]:4}"; do
        [ -z "$said" ] && continue
        n=$(grep -cF -- "$said" "$work/err.txt")
        [ "$n" = 1 ] || fail "said $n times, expected once: $said"
    done
    if [ ${#c[@]} -le 4 ] || [ -z "${c[4]:-}" ]; then
        [ -s "$work/err.txt" ] && fail "expected nothing on the standard error"
    fi
    if [ "$width" != 0 ]; then
        read -r w h colours < <(identify -format '%w %h %k\n' "$shot" 2>/dev/null) || w=0
        if [ "${w:-0}" -lt "$width" ] || [ "${colours:-0}" -le 1 ]; then
            fail "screenshot $shot: ${w:-no} pixels wide (at least $width expected), ${colours:-no} colours"
        fi
    fi
    [ "$failures" = "$before" ] && echo "ok: $name (exit $code)"
done

# Live: the form shows, with its system controls, and the previewer ends on its close box.
code=0; wine "$check" "$(winepath -w "$gallery")" "--preview \"$(winepath -w "$first")\"" "Corvel first form" \
    "Corvel form preview" TCorvelComboBox TCorvelListBox TEdit TButton || code=$?
if [ "$code" = 0 ]; then echo "ok: live preview"; else echo "FAIL live preview: exit $code"; failures=$((failures + 1)); fi
exit $((failures > 0))
