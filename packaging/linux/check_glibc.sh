#!/usr/bin/env bash
# Fails when a program or library under FOLDER asks for a glibc symbol newer
# than 2.34 (objdump -T), so that what is built on a newer Debian still starts
# on the distributions of 2022 on. Prints the newest version each file asks for.
# Usage: check_glibc.sh FOLDER
set -euo pipefail
readonly newestAllowed=2.34
status=0
while IFS= read -r -d '' file; do
    [[ "$(head -c 4 "$file" | od -An -c | tr -d ' ')" == '177ELF' ]] || continue
    newest=$(objdump -T "$file" | grep -o 'GLIBC_[0-9][0-9.]*' | sed 's/GLIBC_//' | sort -uV | tail -n 1)
    echo "  ${file#"$1"/}: glibc ${newest:-none}"
    if [[ -n "$newest" && "$(printf '%s\n' "$newest" "$newestAllowed" | sort -V | tail -n 1)" != "$newestAllowed" ]]
    then
        echo "error: ${file#"$1"/} asks for glibc $newest, newer than $newestAllowed:" >&2
        objdump -T "$file" | grep -F "(GLIBC_$newest)" | awk '{ print "    " $NF }' >&2
        status=1
    fi
done < <(find "$1" -type f -print0 | sort -z)
exit "$status"
