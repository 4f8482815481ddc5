#!/usr/bin/env bash
# Reads each shipped icon with ImageMagick, any warning counting as a failure,
# and checks it is read as the PNG it should be: SIZE x SIZE, 8 bits per sample,
# colour type 6 (red, green, blue and opacity). Then reads the Windows icon
# file and checks it holds the six sizes, smallest first.
# Usage: check_icon_files.sh IDENTIFY PROJECT_ROOT
set -euo pipefail
identify=$1
root=$2

status=0
for size in 48 64 128 256; do
    icon=resources/icons/${size}x${size}/apps/kelmot.png
    expected="PNG $size $size 8 6"
    if ! read=$("$identify" -regard-warnings \
        -format '%m %w %h %[png:IHDR.bit-depth-orig] %[png:IHDR.color-type-orig]' \
        "$root/$icon" 2>&1); then
        echo "ImageMagick cannot read $icon${read:+: $read}" >&2
        status=1
    elif [[ "$read" != "$expected" ]]; then
        echo "$icon reads as \"$read\", not \"$expected\"" >&2
        status=1
    fi
done
# ImageMagick lists each entry of an icon file on a line of its own, giving
# the format of an entry stored as a PNG as PNG, or as ICO in some versions.
icon=resources/kelmot.ico
expected=(16 24 32 48 64 256)
if ! read=$("$identify" -regard-warnings -format '%m %w %h\n' "$root/$icon" 2>&1); then
    echo "ImageMagick cannot read $icon${read:+: $read}" >&2
    status=1
else
    mapfile -t entries <<<"$read"
    if [[ ${#entries[@]} -ne ${#expected[@]} ]]; then
        echo "$icon reads as ${#entries[@]} entries, not ${#expected[@]}: $read" >&2
        status=1
    else
        for i in "${!expected[@]}"; do
            size=${expected[$i]}
            if [[ ! "${entries[$i]}" =~ ^(ICO|PNG)\ $size\ $size$ ]]; then
                echo "$icon entry $i reads as \"${entries[$i]}\", not $size x $size" >&2
                status=1
            fi
        done
    fi
fi
exit $status
