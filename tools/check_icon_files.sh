#!/usr/bin/env bash
# Reads each shipped icon with ImageMagick, any warning counting as a failure,
# and checks it is read as the PNG it should be: SIZE x SIZE, 8 bits per sample,
# colour type 6 (red, green, blue and opacity).
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
exit $status
