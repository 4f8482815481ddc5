#!/usr/bin/env bash
# Draws the pictures into a fresh folder and compares them byte for byte with the
# committed ones. Usage: check_pictures.sh TOOL SCRATCH_FOLDER PROJECT_ROOT
set -euo pipefail
tool=$1
scratch=$2
root=$3

rm -rf "$scratch"
mkdir -p "$scratch"
"$tool" "$scratch"

pictures=(Data/stars.bmp Data/screen.bmp Data/blue.bmp Data/pointer.bmp Data/pointermask.bmp
    resources/banner.bmp resources/icons/{48x48,64x64,128x128,256x256}/apps/kelmot.png
    resources/kelmot.ico)

status=0
for picture in "${pictures[@]}"; do
    if [[ ! -f "$root/$picture" ]]; then
        echo "missing from the project: $picture" >&2
        status=1
    elif [[ ! -f "$scratch/$picture" ]]; then
        echo "not drawn by the tool: $picture" >&2
        status=1
    elif ! cmp -s "$scratch/$picture" "$root/$picture"; then
        echo "differs from what the tool draws: $picture" >&2
        status=1
    fi
done
# A picture the tool draws must be in the list above, so that it is checked.
while IFS= read -r drawn; do
    drawn=${drawn#"$scratch/"}
    if [[ " ${pictures[*]} " != *" $drawn "* ]]; then
        echo "drawn by the tool but not checked here: $drawn" >&2
        status=1
    fi
done < <(find "$scratch" -type f | sort)
if [[ $status -ne 0 ]]; then
    echo "redraw them with: $tool $root" >&2
fi
exit $status
