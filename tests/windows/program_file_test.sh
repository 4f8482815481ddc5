#!/usr/bin/env bash
# kelmot.exe as Windows sees the file: a program with windows and no console,
# importing Windows' own libraries only (the C++ runtime is linked in), and
# carrying its manifest, its icon in six sizes, its version and copyright, the
# start-up dialog (105) and the dialog's banner (bitmap 118); and the portable
# archive, which holds that program, the pictures, how to play, the licence and
# what is new, in one folder.
# Usage: program_file_test.sh OBJDUMP KELMOT_EXE VERSION ARCHIVE WINDRES
set -euo pipefail
objdump=$1
exe=$2
version=$3
archive=$4
windres=$5
sourceDir=$(cd "$(dirname "$0")/../.." && pwd)
# shellcheck source=pe.sh
source "$(dirname "$0")/pe.sh"

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

resources=$(ResourcesOf "$exe")
echo "resources (type:name): $(tr '\n' ' ' <<<"$resources")"
grep -qx '2:118' <<<"$resources" || Fail "no bitmap 118"
grep -qx '5:105' <<<"$resources" || Fail "no dialog 105"
grep -qx '14:1' <<<"$resources" || Fail "no icon group 1"
[[ "$(grep -c '^3:' <<<"$resources")" == 6 ]] || Fail "the icon does not come in six sizes"
grep -qx '16:1' <<<"$resources" || Fail "no version information"
fileVersion=$(VersionEntryOf "$exe" FileVersion)
[[ "$fileVersion" == "$version" ]] || Fail "file version \"$fileVersion\", expected $version"
ExpectCopyright "$exe"

# The manifest, where Windows reads it as it loads the program: Vista and 7 as
# the Windows versions the game knows and no later one (Windows 8 and later
# refuse 16-bit display modes to a program that names them), drawing in the
# screen's real pixels (system-wide scale before Windows 10 1607, the monitor's
# from then on), and no visual styles (no dependency at all).
grep -qx '24:1' <<<"$resources" || Fail "no manifest (resource 24:1)"
manifest=$(ManifestOf "$exe")
if xmllint --noout - <<<"$manifest"; then
    # The XPath step to element $1 of namespace $2.
    Step() { printf "/*[local-name()='%s' and namespace-uri()='%s']" "$1" "$2"; }
    settings=$(Step assembly urn:schemas-microsoft-com:asm.v1)$(Step application \
        urn:schemas-microsoft-com:asm.v3)$(Step windowsSettings urn:schemas-microsoft-com:asm.v3)
    Setting() { xmllint --xpath "string($settings$(Step "$1" "$2"))" - <<<"$manifest"; }
    dpiAware=$(Setting dpiAware http://schemas.microsoft.com/SMI/2005/WindowsSettings)
    [[ "$dpiAware" == true ]] || Fail "dpiAware is \"$dpiAware\", expected true"
    dpiAwareness=$(Setting dpiAwareness http://schemas.microsoft.com/SMI/2016/WindowsSettings)
    [[ "$dpiAwareness" == "PerMonitorV2, PerMonitor" ]] ||
        Fail "dpiAwareness is \"$dpiAwareness\", expected \"PerMonitorV2, PerMonitor\""
    compatibility=$(Step assembly urn:schemas-microsoft-com:asm.v1)$(Step compatibility \
        urn:schemas-microsoft-com:compatibility.v1)$(Step application \
        urn:schemas-microsoft-com:compatibility.v1)$(Step supportedOS \
        urn:schemas-microsoft-com:compatibility.v1)
    supported=$(xmllint --xpath "$compatibility/@Id" - <<<"$manifest" 2>/dev/null |
        sed -n 's/.*Id="\(.*\)".*/\1/p' | sort)
    # Vista and 7; not 8 ({4a2f28e3-...}), 8.1 ({1f676c76-...}) nor 10 and 11
    # ({8e0f7a12-...}).
    expectedSupported=$(printf '%s\n' '{e2011457-1546-43c5-a5fe-008deee3d3f0}' \
        '{35138b9a-5d96-4fbd-8e2d-a2440225f93a}' | sort)
    [[ "$supported" == "$expectedSupported" ]] ||
        Fail "the manifest names these Windows versions: $(tr '\n' ' ' <<<"$supported")"
    [[ "$(xmllint --xpath "count(//*[local-name()='dependency'])" - <<<"$manifest")" == 0 ]] ||
        Fail "the manifest depends on another assembly (visual styles?)"
else
    Fail "the manifest is not well-formed XML"
fi

# The archive, unpacked: one folder with the program, its pictures and the text.
unpacked=$(mktemp -d "${TMPDIR:-/tmp}/kelmot-archive.XXXXXX")
trap 'rm -rf "$unpacked"' EXIT
unzip -q "$archive" -d "$unpacked"
folder=$unpacked/kelmot-$version
[[ "$(ls -A "$unpacked")" == "kelmot-$version" ]] || Fail "the archive's top holds: $(ls -A "$unpacked")"
expected=$(printf './%s\n' How-to-play.txt LICENSE.txt NEWS.md kelmot.exe Data Data/blue.bmp \
    Data/pointer.bmp Data/pointermask.bmp Data/screen.bmp Data/stars.bmp | sort)
[[ "$(cd "$folder" && find . -mindepth 1 | sort)" == "$expected" ]] ||
    Fail "the archive's folder holds: $(cd "$folder" && find . -mindepth 1 | sort | tr '\n' ' ')"
cmp -s "$exe" "$folder/kelmot.exe" || Fail "the archive's kelmot.exe is not the one built"
for picture in "$sourceDir"/Data/*.bmp; do
    cmp -s "$picture" "$folder/Data/$(basename "$picture")" ||
        Fail "the archive's Data/$(basename "$picture") differs"
done
grep -q "Kelmot $version for Windows" "$folder/How-to-play.txt" || Fail "How-to-play.txt lacks its title"
[[ "$(tr -d '\r' <"$folder/LICENSE.txt")" == "$(<"$sourceDir/LICENSE")" ]] ||
    Fail "the archive's LICENSE.txt is not the licence"
[[ "$(tr -d '\r' <"$folder/NEWS.md")" == "$(<"$sourceDir/NEWS.md")" ]] ||
    Fail "the archive's NEWS.md differs from the source's"
for text in How-to-play.txt LICENSE.txt NEWS.md; do
    grep -qv $'\r$' "$folder/$text" && Fail "$text has lines without CR LF"
done

if ((failures > 0)); then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "all checks held"
