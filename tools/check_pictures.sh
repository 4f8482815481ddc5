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

status=0
for picture in Data/stars.bmp Data/screen.bmp Data/blue.bmp Data/pointer.bmp \
    Data/pointermask.bmp resources/banner.bmp; do
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
if [[ $status -ne 0 ]]; then
    echo "redraw them with: $tool $root" >&2
fi
exit $status
