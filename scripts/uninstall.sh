#!/usr/bin/env bash
# Removes the files that make install placed, as listed in LIST, then the
# game's own folders once they are empty, then LIST itself. Folders that other
# programs share (games/, share/applications/, share/metainfo/, the icon
# theme) stay.
# Usage: uninstall.sh LIST
set -euo pipefail
list=$1
if [[ ! -f "$list" ]]; then
    echo "Nothing to uninstall: $list is missing (it is written by make install)." >&2
    exit 1
fi

folders=()
while IFS= read -r file || [[ -n "$file" ]]; do
    [[ -n "$file" ]] || continue
    rm -f -- "$file"
    echo "removed $file"
    # The game's own folders: libexec/kelmot, share/kelmot and below.
    folder=$(dirname -- "$file")
    while [[ "$folder" == */kelmot || "$folder" == */kelmot/* ]]; do
        folders+=("$folder")
        folder=$(dirname -- "$folder")
    done
done <"$list"

# Deepest first, so that a folder is empty by the time it is reached.
if ((${#folders[@]} > 0)); then
    printf '%s\n' "${folders[@]}" | sort -u -r | while IFS= read -r folder; do
        rmdir -- "$folder" 2>/dev/null && echo "removed $folder/" || true
    done
fi
rm -f -- "$list"
