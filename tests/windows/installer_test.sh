#!/usr/bin/env bash
# The Windows installer under Wine, as a player and an administrator use it:
# a silent install for the current user puts the game, its Start menu shortcut
# and its entry in the list of installed apps in place; the game started as the
# shortcut starts it keeps prefs.txt in its folder; installing again keeps that
# file; a silent uninstall removes all it installed but prefs.txt, and with
# /REMOVEPREFS that too, and the folder.
# Usage: installer_test.sh SETUP_EXE KELMOT_EXE READ_SHORTCUT_EXE VERSION WINE_PREFIXES OBJDUMP
setup=$(realpath "$1")
built=$(realpath "$2")
readShortcut=$(realpath "$3")
version=$4
prefixes=$5
objdumpProgram=$6
# A fresh prefix every time, as on a machine that never had the game.
ownPrefix=$prefixes/$(basename "$0" .sh)
WINEPREFIX=$ownPrefix /usr/lib/wine/wineserver64 -k 2>/dev/null || true
rm -rf "$ownPrefix"
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"

readonly uninstallKey='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kelmot'
readonly pictures=(blue.bmp pointer.bmp pointermask.bmp screen.bmp stars.bmp)

installDir="$(WindowsVariable LOCALAPPDATA)\\Programs\\Kelmot"
shortcut="$(WindowsVariable APPDATA)\\Microsoft\\Windows\\Start Menu\\Programs\\Kelmot.lnk"
installFolder=$(HostPath "$installDir")
desktopShortcut=$(HostPath "$(WindowsVariable USERPROFILE)\\Desktop\\Kelmot.lnk")

# What the folder $1 holds, one path a line, sorted.
Contents() { (cd "$1" && find . -mindepth 1 | sort); }

# Runs the uninstaller with the options given and waits up to 30 s for it to
# finish: it copies itself elsewhere to run, so that it can remove itself.
Uninstall() {
    "$wine" "$installFolder/uninstall.exe" "$@" || Fail "the uninstaller did not start"
    for _ in $(seq 300); do
        [[ ! -e "$installFolder/uninstall.exe" ]] && ! "$wine" reg query "$uninstallKey" \
            >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    Fail "the uninstaller did not finish"
}

echo "- the installer carries the game's icon, in six sizes, its version and copyright"
objdump=$objdumpProgram
# shellcheck source=pe.sh
source "$windowsDir/pe.sh"
[[ "$(ResourcesOf "$setup" | grep -c '^3:')" == 6 ]] || Fail "the installer's icon is not in six sizes"
[[ "$(VersionEntryOf "$setup" FileVersion)" == "$version" ]] ||
    Fail "the installer's version is $(VersionEntryOf "$setup" FileVersion)"
ExpectCopyright "$setup"

echo "- a silent install into a fresh prefix: the files, the shortcut, the entry"
"$wine" "$setup" /S || Fail "the silent install ended with $?"
expectedFiles=$(printf '%s\n' ./Data ./kelmot.exe ./uninstall.exe "${pictures[@]/#/./Data/}" | sort)
[[ "$(Contents "$installFolder")" == "$expectedFiles" ]] ||
    Fail "the install folder holds: $(Contents "$installFolder" | tr '\n' ' ')"
cmp -s "$built" "$installFolder/kelmot.exe" || Fail "the installed kelmot.exe is not the one built"
for picture in "${pictures[@]}"; do
    cmp -s "$sourceDir/Data/$picture" "$installFolder/Data/$picture" || Fail "Data/$picture differs"
done
mapfile -t link < <("$wine" "$readShortcut" "$shortcut" | tr -d '\r')
[[ "${link[0]:-}" == "$installDir\\kelmot.exe" ]] || Fail "the shortcut starts ${link[0]:-nothing}"
[[ "${link[1]:-}" == "$installDir" ]] || Fail "the shortcut's working folder is ${link[1]:-none}"
[[ ! -e "$desktopShortcut" ]] || Fail "a desktop shortcut was made without being asked for"
entry=$("$wine" reg query "$uninstallKey" 2>&1 | tr -d '\r') || Fail "no uninstall entry: $entry"
for value in "DisplayName REG_SZ Kelmot" "DisplayVersion REG_SZ $version" \
    "Publisher REG_SZ Kelmot" "DisplayIcon REG_SZ $installDir\\kelmot.exe,0" \
    "InstallLocation REG_SZ $installDir" "UninstallString REG_SZ \"$installDir\\uninstall.exe\""; do
    grep -qxF "$value" <<<"$(awk '{ $1 = $1; print }' <<<"$entry")" ||
        Fail "the uninstall entry lacks \"$value\": $entry"
done
# The size the list of apps shows, in KiB: that of the installed files.
size=$(($(awk '$1 == "EstimatedSize" { print $3 }' <<<"$entry")))
installed=$(($(du -sb "$installFolder" | cut -f1) / 1024))
echo "  the entry gives a size of $size KiB; the files take $installed KiB"
((size * 10 >= installed * 9 && size * 10 <= installed * 11)) ||
    Fail "the entry's size, $size KiB, is not the installed $installed KiB"

echo "- the game started as the shortcut starts it: the dialog, OK, Exit, prefs.txt beside it"
cd "$(HostPath "${link[1]}")"
exe=$(HostPath "${link[0]}")
StartGame
WaitForDialog >/dev/null || Finish
Press Return
# The dialog's default, full screen at 1024x768, is not a mode of this screen.
AnswerErrorBox
FocusGame
WindowedViewport
MenuSettled
MenuPress Down Down Down Down Down
Press Return
ExpectExit 0
ExpectStandardError "Mode Switch Failed." "Running In Windowed Mode."
ExpectWrittenPrefs gofirst=1 xoro=1 controls=1 whofirst=0 player1xoro=1 player1controls=1 \
    player2controls=1 configpanel=1 res=1 bpp=0 fullscreen=1
cp prefs.txt "$prefixes/installer-prefs.txt"

echo "- installing over it keeps prefs.txt, byte for byte"
"$wine" "$setup" /S || Fail "the second install ended with $?"
cmp -s prefs.txt "$prefixes/installer-prefs.txt" || Fail "prefs.txt changed: $(cat prefs.txt)"
# What this test put there itself.
rm -f stderr.txt ./*.ppm
cd /

echo "- a silent uninstall: all it installed goes, prefs.txt stays"
Uninstall /S
[[ "$(Contents "$installFolder")" == ./prefs.txt ]] ||
    Fail "after uninstalling, the folder holds: $(Contents "$installFolder" | tr '\n' ' ')"
cmp -s "$installFolder/prefs.txt" "$prefixes/installer-prefs.txt" || Fail "prefs.txt changed"
[[ ! -e "$(HostPath "$shortcut")" ]] || Fail "the Start menu shortcut is still there"

echo "- installed again, then uninstalled with /REMOVEPREFS: nothing is left"
"$wine" "$setup" /S || Fail "the third install ended with $?"
cmp -s "$installFolder/prefs.txt" "$prefixes/installer-prefs.txt" || Fail "prefs.txt changed"
Uninstall /S /REMOVEPREFS
[[ ! -e "$installFolder" ]] || Fail "the folder is still there: $(Contents "$installFolder" | tr '\n' ' ')"
[[ ! -e "$(HostPath "$shortcut")" ]] || Fail "the Start menu shortcut is still there"
rm -f "$prefixes/installer-prefs.txt"

Finish
