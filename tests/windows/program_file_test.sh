#!/usr/bin/env bash
# kelmot.exe as Windows sees the file: a program with windows and no console,
# importing Windows' own libraries only (the C++ runtime is linked in), and
# carrying its icon in six sizes, its version, the start-up dialog (105) and
# the dialog's banner (bitmap 118).
# Usage: program_file_test.sh OBJDUMP KELMOT_EXE VERSION
set -euo pipefail
objdump=$1
exe=$2
version=$3

failures=0
Fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

headers=$("$objdump" -p "$exe")

grep -q 'Subsystem.*(Windows GUI)' <<<"$headers" || Fail "not a program with windows: $(grep Subsystem <<<"$headers")"

# The libraries every copy of Windows has; the game needs the first six.
mapfile -t imports < <(awk '/DLL Name:/ { print tolower($3) }' <<<"$headers" | sort)
echo "imports: ${imports[*]}"
for needed in gdi32.dll glu32.dll kernel32.dll opengl32.dll user32.dll winmm.dll; do
    [[ " ${imports[*]} " == *" $needed "* ]] || Fail "$needed is not imported"
done
for library in "${imports[@]}"; do
    case "$library" in
    gdi32.dll | glu32.dll | kernel32.dll | opengl32.dll | user32.dll | winmm.dll | msvcrt.dll | \
        advapi32.dll) ;;
    *) Fail "imports $library, which is not part of Windows" ;;
    esac
done

# The resource directory as type:name pairs (decimal): the second level names
# the resources of the type above it.
resources=$(awk '
    /^[0-9a-f]+   Entry: ID:/ { type = $4; sub(",", "", type) }
    /^[0-9a-f]+     Entry: ID:/ { name = $4; sub(",", "", name); print type, name }' <<<"$headers" |
    while read -r type name; do printf '%d:%d\n' "$type" "$name"; done | sort -t: -k1,1n -k2,2n)
echo "resources (type:name): $(tr '\n' ' ' <<<"$resources")"
grep -qx '2:118' <<<"$resources" || Fail "no bitmap 118"
grep -qx '5:105' <<<"$resources" || Fail "no dialog 105"
grep -qx '14:1' <<<"$resources" || Fail "no icon group 1"
[[ "$(grep -c '^3:' <<<"$resources")" == 6 ]] || Fail "the icon does not come in six sizes"
grep -qx '16:1' <<<"$resources" || Fail "no version information"
# The version text follows its name among the program's UTF-16 strings.
fileVersion=$(strings -el "$exe" | awk 'seen { print; exit } $0 == "FileVersion" { seen = 1 }')
[[ "$fileVersion" == "$version" ]] || Fail "file version \"$fileVersion\", expected $version"

if ((failures > 0)); then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "all checks held"
