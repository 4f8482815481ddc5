#!/usr/bin/env bash
# The Debian package: built by CPack from this build, its control file names the
# runtime packages the game needs, it holds the installed files under /usr with
# one version throughout, and lintian and appstreamcli find no fault in it.
# As root it is also installed with apt-get, started from the PATH as a player
# would, and removed again.
# Usage: package_test.sh CPACK BUILD_DIR
cpack=$1
build=$2
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"

"$cpack" --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log"; Fail "cpack failed"; Finish; }
debs=("$scratch"/out/kelmot_*.deb)
[[ ${#debs[@]} == 1 && -f "${debs[0]}" ]] || { Fail "no single kelmot_*.deb: ${debs[*]}"; Finish; }
deb=${debs[0]}

echo "- the control file"
[[ "$(dpkg-deb -f "$deb" Package)" == kelmot ]] || Fail "the package is not named kelmot"
[[ "$(dpkg-deb -f "$deb" Section)" == games ]] || Fail "the package is not in the games section"
[[ "$(dpkg-deb -f "$deb" Architecture)" == "$(dpkg --print-architecture)" ]] ||
    Fail "the package is for $(dpkg-deb -f "$deb" Architecture)"
depends=$(dpkg-deb -f "$deb" Depends)
echo "  Depends: $depends"
# Each needed package must be one whole entry, or one of an entry's choices.
entries=$(tr ',|' '\n\n' <<<"$depends" | sed 's/([^)]*)//; s/^ *//; s/ *$//')
for needed in libsdl2-2.0-0 libgl1 libglu1-mesa libfontconfig1 libfreetype6 libgtk-3-0 \
    fonts-liberation2; do
    grep -qx "$needed" <<<"$entries" || Fail "Depends does not name $needed"
done

echo "- the files, under /usr, and the game stripped"
contents=$(dpkg-deb -c "$deb" | awk '{ print $6 }')
expected=(./usr/games/kelmot ./usr/libexec/kelmot/kelmot ./usr/libexec/kelmot/kelmot-dialog.so
    ./usr/libexec/kelmot/kelmot-mode-guard
    ./usr/share/applications/kelmot.desktop ./usr/share/metainfo/invalid.kelmot.Kelmot.metainfo.xml
    ./usr/share/man/man6/kelmot.6.gz ./usr/share/doc/kelmot/changelog.gz
    ./usr/share/doc/kelmot/copyright ./usr/share/doc/kelmot/NEWS.md)
for picture in "${expectedPictures[@]}"; do expected+=("./usr/share/kelmot/Data/$picture"); done
for size in "${iconSizes[@]}"; do
    expected+=("./usr/share/icons/hicolor/${size}x$size/apps/kelmot.png")
done
for file in "${expected[@]}"; do
    grep -qx -- "$file" <<<"$contents" || Fail "the package lacks $file"
done
dpkg-deb -x "$deb" "$scratch/unpacked"
for program in kelmot kelmot-dialog.so kelmot-mode-guard; do
    if readelf -S "$scratch/unpacked/usr/libexec/kelmot/$program" | grep -q '\.debug_info'; then
        Fail "the packaged $program is not stripped"
    fi
done
ExpectMenuEntry "$scratch/unpacked/usr/share/applications/kelmot.desktop"

echo "- one version throughout: the package, its changelog, its metadata, its manual page"
version=$(dpkg-deb -f "$deb" Version)
share=$scratch/unpacked/usr/share
metainfo=$share/metainfo/invalid.kelmot.Kelmot.metainfo.xml
newestChange=$(zcat "$share/doc/kelmot/changelog.gz" | head -1)
manualTitle=$(zcat "$share/man/man6/kelmot.6.gz" | grep '^\.TH')
release=$(grep -o '<release [^>]*>' "$metainfo" | head -1)
[[ "$version" == "$(<"$sourceDir/VERSION")" ]] || Fail "the package's version is $version"
[[ "$newestChange" == "kelmot ($version) "* ]] || Fail "the changelog begins: $newestChange"
[[ "$manualTitle" == *"\"Kelmot $version\""* ]] || Fail "the manual page's title: $manualTitle"
[[ "$release" == "<release version=\"$version\" date=\"$(awk '{ print $4 }' <<<"$manualTitle")\">" ]] ||
    Fail "the metadata's newest release: $release"

echo "- what lintian, appstreamcli and desktop-file-validate say of it"
"$sourceDir/tests/install/check_package.sh" "$deb" >"$scratch/checks.txt" 2>&1 ||
    Fail "the package's checks failed"
sed 's/^/  /' "$scratch/checks.txt"

# Installing changes the machine, so it is done only where that is expected.
if ((EUID != 0)); then
    echo "SKIPPED: installing the package with apt-get needs root; the package was checked unpacked"
    Finish
    exit 77
fi
if dpkg-query -W -f='${Status}' kelmot 2>/dev/null | grep -q 'ok installed'; then
    echo "SKIPPED: a kelmot package is already installed on this machine; it is left as it is"
    Finish
    exit 77
fi

echo "- installed with apt-get, started from the PATH, removed again"
# shellcheck disable=SC2317 # run at exit
RemovePackage() {
    apt-get purge -y -qq kelmot >/dev/null 2>&1 || true
    RemoveGameFolders
}
trap RemovePackage EXIT
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$deb" \
    >"$scratch/apt.log" 2>&1 || { cat "$scratch/apt.log"; Fail "apt-get install failed"; Finish; }
# A player's PATH on Debian (login.defs) has the games' folder; root's has not.
export PATH=$PATH:/usr/games
[[ "$(command -v kelmot)" == /usr/games/kelmot ]] || Fail "kelmot on the PATH is $(command -v kelmot)"
ExpectMenuEntry /usr/share/applications/kelmot.desktop
export HOME=$scratch/home
unset XDG_DATA_HOME
mkdir -p "$HOME" "$scratch/elsewhere"
cd "$scratch/elsewhere"
FirstRunThroughDialog kelmot "$scratch/stderr.txt"
ExpectPlayerFolder "$HOME/.local/share/kelmot" /usr/share/kelmot/Data 0
[[ -z "$(ls -A "$scratch/elsewhere")" ]] || Fail "the game wrote into the folder it was started from"

echo "- started from its menu entry, as a desktop's menu does"
gio launch /usr/share/applications/kelmot.desktop 2>"$scratch/stderr.txt" ||
    Fail "gio could not start the menu entry: $(cat "$scratch/stderr.txt")"
if WaitForDialog >/dev/null; then
    Press Return
    WaitForWindow Kelmot >/dev/null || Fail "no game window after the dialog"
    # gio has gone; the game is a process of its own.
    gamePid=$(pgrep -x -f /usr/libexec/kelmot/kelmot) || Fail "no game process"
    [[ "$(readlink "/proc/$gamePid/cwd")" == "$HOME/.local/share/kelmot" ]] ||
        Fail "the game runs in $(readlink "/proc/$gamePid/cwd"), not in the player's folder"
    RequestClose
    for _ in $(seq 100); do
        kill -0 "$gamePid" 2>/dev/null || break
        sleep 0.1
    done
    ! kill -0 "$gamePid" 2>/dev/null || Fail "the game did not end when its window was closed"
fi

DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq kelmot >"$scratch/apt.log" 2>&1 ||
    { cat "$scratch/apt.log"; Fail "apt-get purge failed"; }
[[ ! -e /usr/games/kelmot && ! -e /usr/libexec/kelmot && ! -e /usr/share/kelmot ]] ||
    Fail "files are left after the package was removed"
[[ -f "$HOME/.local/share/kelmot/prefs.txt" ]] || Fail "removing the package took the player's options"
Finish
